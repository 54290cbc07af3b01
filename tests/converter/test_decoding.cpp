// Reading the text: byte-order marks, UTF-8/16/32 and malformed bytes.
#include "textdecode.h"
#include "toolrun.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The text in the encoding, behind its byte-order mark.
QByteArray marked(QStringConverter::Encoding encoding, const QString& text) {
    return QStringEncoder(encoding, QStringConverter::Flag::WriteBom)(text);
}

} // namespace

class TestConverterDecoding : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void decodesEncodingsAndMalformedBytes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const QString sample = QString::fromUtf8("Zoë@例え.jp 😀\r\n");
        QTest::newRow("UTF-8 without mark") << sample.toUtf8() << sample;
        QTest::newRow("UTF-8 mark dropped") << marked(QStringConverter::Utf8, sample) << sample;
        QTest::newRow("UTF-16 LE") << marked(QStringConverter::Utf16LE, sample) << sample;
        QTest::newRow("UTF-16 BE") << marked(QStringConverter::Utf16BE, sample) << sample;
        QTest::newRow("UTF-32 LE") << marked(QStringConverter::Utf32LE, sample) << sample;
        QTest::newRow("UTF-32 BE") << marked(QStringConverter::Utf32BE, sample) << sample;
        QTest::newRow("mark only") << QByteArray("\xEF\xBB\xBF") << QString();
        QTest::newRow("a mark later is kept") << QByteArray("a\xEF\xBB\xBF") << QString("a\uFEFF");
        QTest::newRow("nothing trimmed")
            << QByteArray(" \t a\0b \n\n", 9) << QString::fromUtf16(u" \t a\0b \n\n", 9);
        // One U+FFFD per maximal ill-formed subpart.
        QTest::newRow("lone Latin-1 byte") << QByteArray("caf\xE9!") << QString("caf\uFFFD!");
        QTest::newRow("truncated then ASCII") << QByteArray("\xF0\x9F\x98x") << QString("\uFFFDx");
        QTest::newRow("stray continuations") << QByteArray("\x80\xBF") << QString("\uFFFD\uFFFD");
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << QString("\uFFFD\uFFFD");
        QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << QString(3, u'\uFFFD');
        QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << QString(4, u'\uFFFD');
        QTest::newRow("UTF-16 lone high surrogate")
            << QByteArray("\xFF\xFE\x3D\xD8\x41\x00", 6) << QString("\uFFFDA");
        QTest::newRow("UTF-16 lone low surrogate")
            << QByteArray("\xFE\xFF\xDE\x00\x00\x41", 6) << QString("\uFFFDA");
        QTest::newRow("UTF-16 odd last byte")
            << QByteArray("\xFF\xFE\x41\x00\x42", 5) << QString("A\uFFFD");
        QTest::newRow("UTF-32 out of range")
            << QByteArray("\xFF\xFE\0\0\0\0\x11\0\x41\0\0\0", 12) << QString("\uFFFDA");
    }

    void decodesEncodingsAndMalformedBytes() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const std::u32string decoded =
            converter::decodeText(std::string_view(bytes.constData(), bytes.size()));
        QCOMPARE(QString::fromStdU32String(decoded), text);
    }

    // The tool reads through the same decoder: each file draws the same pixels
    // as its plain UTF-8 twin.
    void drawsLikeItsUtf8Twin_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("twin");
        const QString text = QString::fromUtf8("Zoë.Müller@exämple.de\r\nИван@пример.рф\n");
        QTest::newRow("UTF-16 LE") << marked(QStringConverter::Utf16LE, text) << text;
        QTest::newRow("UTF-16 BE") << marked(QStringConverter::Utf16BE, text) << text;
        QTest::newRow("invalid byte as U+FFFD")
            << QByteArray("caf\xE9@example.com\n") << QString("caf\uFFFD@example.com\n");
    }

    void drawsLikeItsUtf8Twin() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, twin);
        const QImage image = drawText(Tool::Png, dir.path(), bytes);
        QVERIFY(!image.isNull());
        QCOMPARE(image, drawText(Tool::Png, dir.path(), twin.toUtf8()));
    }
};

QTEST_GUILESS_MAIN(TestConverterDecoding)
#include "test_decoding.moc"
