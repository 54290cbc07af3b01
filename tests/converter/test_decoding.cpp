// Reading the text: byte-order marks, UTF-8/16/32 and malformed bytes.
#include "textdecode.h"
#include "toolrun.h"

#include <QTemporaryDir>
#include <QTest>

using converter::decodeText;

namespace {

QByteArray utf16(const QString& text, bool bigEndian) {
    QByteArray bytes;
    for (const QChar unit : text) {
        const char high = char(unit.unicode() >> 8), low = char(unit.unicode() & 0xFF);
        bytes += bigEndian ? QByteArray{1, high} + low : QByteArray{1, low} + high;
    }
    return bytes;
}

QByteArray utf32(const QString& text, bool bigEndian) {
    QByteArray bytes;
    for (const char32_t c : text.toStdU32String())
        for (int k = 0; k < 4; ++k)
            bytes += char(c >> (8 * (bigEndian ? 3 - k : k)));
    return bytes;
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
        QTest::newRow("UTF-8 mark dropped") << "\xEF\xBB\xBF" + sample.toUtf8() << sample;
        QTest::newRow("UTF-16 LE") << "\xFF\xFE" + utf16(sample, false) << sample;
        QTest::newRow("UTF-16 BE") << "\xFE\xFF" + utf16(sample, true) << sample;
        QTest::newRow("UTF-32 LE")
            << QByteArray("\xFF\xFE\0\0", 4) + utf32(sample, false) << sample;
        QTest::newRow("UTF-32 BE") << QByteArray("\0\0\xFE\xFF", 4) + utf32(sample, true) << sample;
        QTest::newRow("mark only") << QByteArray("\xEF\xBB\xBF") << QString();
        QTest::newRow("a mark later is kept") << QByteArray("a\xEF\xBB\xBF") << QString("a\uFEFF");
        QTest::newRow("nothing trimmed")
            << QByteArray(" \t a\0b \n\n", 9) << QString::fromUtf16(u" \t a\0b \n\n", 9);
        // One U+FFFD per maximal ill-formed subpart.
        QTest::newRow("lone Latin-1 byte") << QByteArray("caf\xE9!") << QString("caf\uFFFD!");
        QTest::newRow("truncated sequence") << QByteArray("\xE4\xBE") << QString("\uFFFD");
        QTest::newRow("truncated then ASCII") << QByteArray("\xF0\x9F\x98x") << QString("\uFFFDx");
        QTest::newRow("stray continuations") << QByteArray("\x80\xBF") << QString("\uFFFD\uFFFD");
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << QString("\uFFFD\uFFFD");
        QTest::newRow("encoded surrogate")
            << QByteArray("\xED\xA0\x80") << QString("\uFFFD\uFFFD\uFFFD");
        QTest::newRow("above U+10FFFF")
            << QByteArray("\xF4\x90\x80\x80") << QString(4, QChar(0xFFFD));
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
            decodeText(std::string_view(bytes.constData(), bytes.size()));
        QCOMPARE(QString::fromStdU32String(decoded), text);
    }

    // The tool reads through the same decoder: each encoding of a text draws
    // the same pixels as its plain UTF-8 twin.
    void everyEncodingDrawsLikeItsUtf8Twin() {
        const QString text = QString::fromUtf8("Zoë.Müller@exämple.de\r\nИван@пример.рф\n");
        const QImage twin = drawText(Tool::Png, dir.path(), text.toUtf8());
        QVERIFY(!twin.isNull());
        const QList<QByteArray> encodings{
            "\xEF\xBB\xBF" + text.toUtf8(), "\xFF\xFE" + utf16(text, false),
            "\xFE\xFF" + utf16(text, true), QByteArray("\0\0\xFE\xFF", 4) + utf32(text, true)};
        for (const QByteArray& bytes : encodings)
            QCOMPARE(drawText(Tool::Png, dir.path(), bytes), twin);
    }

    void malformedByteIsDrawnAsTheReplacementCharacter() {
        const QImage replaced = drawText(Tool::Png, dir.path(), "caf\xE9@example.com\n");
        QVERIFY(!replaced.isNull());
        QCOMPARE(replaced, drawText(Tool::Png, dir.path(), "caf\xEF\xBF\xBD@example.com\n"));
        QVERIFY(replaced != drawText(Tool::Png, dir.path(), "caf?@example.com\n"));
    }
};

QTEST_GUILESS_MAIN(TestConverterDecoding)
#include "test_decoding.moc"
