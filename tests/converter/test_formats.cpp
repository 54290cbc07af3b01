// Output formats: fixed per tool whatever the file's extension.
#include "toolrun.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kPngSignature("\x89PNG\r\n\x1a\n");
const QByteArray kJpegStart("\xFF\xD8\xFF");

// The first value of each quantization table in a JPEG's DQT segments: the
// DC step, 8 (luminance) and 9 (chrominance) at quality 75 in libjpeg's
// scaling of the standard tables (16 and 17 at quality 50).
QList<int> dcQuantizers(const QByteArray& jpeg) {
    QList<int> steps;
    for (int at = 2; at + 4 < jpeg.size();) {
        if (uchar(jpeg[at]) != 0xFF)
            break;
        const uchar marker = uchar(jpeg[at + 1]);
        const int length = (uchar(jpeg[at + 2]) << 8) | uchar(jpeg[at + 3]);
        if (marker == 0xDB) // DQT: 8-bit tables of 1 + 64 bytes each
            for (int table = at + 4; table + 65 <= at + 2 + length; table += 65)
                steps << uchar(jpeg[table + 1]);
        if (marker == 0xDA) // image data follows
            break;
        at += 2 + length;
    }
    return steps;
}

} // namespace

class TestConverterFormats : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QByteArray convert(Tool tool, const QString& imageName) {
        writeFile(dir.filePath("emails.txt"), "alice@example.com\n");
        const ToolRun run = runTool(tool, {dir.filePath("emails.txt"), dir.filePath(imageName)});
        return run.exitCode == 0 ? readFile(dir.filePath(imageName)) : QByteArray();
    }

private slots:
    void formatIsTheTools_whateverTheExtension() {
        for (const QString& name : {"a.png", "b.jpg", "c.JPEG", "d.txt", "noextension"}) {
            QVERIFY2(convert(Tool::Png, name).startsWith(kPngSignature), qPrintable(name));
            QVERIFY2(convert(Tool::Jpeg, name).startsWith(kJpegStart), qPrintable(name));
        }
    }

    void pngIsOpaqueEightBitRgb() {
        const QByteArray png = convert(Tool::Png, "a.png");
        QCOMPARE(png.mid(12, 4), QByteArray("IHDR"));
        QCOMPARE(int(uchar(png[24])), 8); // bit depth
        QCOMPARE(int(uchar(png[25])), 2); // colour type: RGB, no alpha
    }

    void jpegHasDefaultQuality75_andTheSameSize() {
        const QByteArray jpeg = convert(Tool::Jpeg, "a.jpg");
        QCOMPARE(dcQuantizers(jpeg), (QList<int>{8, 9}));
        QCOMPARE(QImage::fromData(jpeg).size(),
                 QImage::fromData(convert(Tool::Png, "a.png")).size());
    }
};

QTEST_GUILESS_MAIN(TestConverterFormats)
#include "test_formats.moc"
