// Drawing styles as the command line asks for them: larger scales drawn from
// the outlines, colours, a clear ground; read back from the PNG files.
#include "drawtext.h"
#include "imageformat.h"
#include "textdecode.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

using converter::DrawStyle;
using converter::Rgb;

QRgb rgbOf(Rgb colour) {
    return qRgb(colour.r, colour.g, colour.b);
}

// Share of inked pixels that are neither ground nor full ink: the blur a
// resampled image shows.
double intermediateShare(const QImage& image) {
    int ink = 0, intermediate = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(image.pixel(x, y));
            ink += grey < 255;
            intermediate += grey > 0 && grey < 255;
        }
    return ink ? double(intermediate) / ink : 0;
}

// The smallest rectangle holding every pixel that is not pure white.
QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class TestConverterDrawStyle : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    converter::Font font;
    converter::GlyphCache glyphs{font};
    int files = 0;

    QImage draw(const QByteArray& text, const DrawStyle& style,
                converter::ImageFormat format = converter::ImageFormat::Png) {
        const QString path = dir.filePath(QString::number(++files));
        const std::u32string decoded =
            converter::decodeText(std::string_view(text.constData(), size_t(text.size())));
        const converter::Image image =
            converter::DrawText(decoded, glyphs, style, converter::sizeLimits(format));
        std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "wb");
        converter::encoderFor(format)(image, file, nullptr);
        std::fclose(file);
        return QImage(path).convertToFormat(QImage::Format_ARGB32);
    }

private slots:
    // A scale-N image is exactly N times the scale-1 image in both sides, in
    // every script, and drawn from the outlines at N times the size and
    // place (within a pixel of hinting a side): no N x N blocks of one
    // colour, no more blur than at scale 1.
    void scaleMultipliesTheSize_drawnFromOutlines() {
        const QList<QByteArray> texts{
            "alice@example.com\n",
            "Zo\xC3\xAB@ex\xC3\xA4mple.de\nx\n",
            "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD@\xD0\xBF\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80."
            "rf\n",
            "\xD9\x85\xD8\xAD\xD9\x85\xD8\xAF@\xD9\x85\xD8\xAB\xD8\xA7\xD9\x84.eg\n",
            "\xE4\xB8\xAD\xE6\x96\x87@\xE4\xBE\x8B\xE5\xAD\x90.cn\n",
            "e\xCC\x81\xCC\xA3@x.org\n"};
        for (const QByteArray& text : texts) {
            const QImage one = draw(text, {});
            QCOMPARE(draw(text, {}, converter::ImageFormat::Jpeg).size(), one.size());
            for (int scale = 2; scale <= converter::kMaxScale; ++scale) {
                const QImage scaled = draw(text, {scale});
                QCOMPARE(scaled.size(), one.size() * scale);
                const QRect box = inkBox(scaled), expected = inkBox(one);
                for (const auto& [got, want] : {std::pair{box.left(), expected.left()},
                                                {box.top(), expected.top()},
                                                {box.right() + 1, expected.right() + 1},
                                                {box.bottom() + 1, expected.bottom() + 1}})
                    QVERIFY2(std::abs(got - want * scale) <= scale, text);
                const QImage blocks = scaled.scaled(one.size()).scaled(scaled.size());
                QVERIFY2(scaled != blocks, text);
                QVERIFY2(intermediateShare(scaled) <= intermediateShare(one), text);
            }
        }
    }

    // Laid over any colour, an image on a clear ground shows what the image
    // drawn on that colour shows, within 2 levels a channel: ink colour with
    // the coverage as straight alpha. Grey and coloured ink take different
    // PNG forms.
    void clearGround_overAColour_isTheImageDrawnOnIt() {
        const QByteArray text = "m\xC3\xBCller@example.org\n";
        for (const Rgb ink : {Rgb{0, 0, 0}, Rgb{224, 224, 224}, Rgb{26, 115, 232}}) {
            const QImage clear = draw(text, {2, ink, {}, true});
            QVERIFY(clear.hasAlphaChannel());
            for (const Rgb ground : {Rgb{255, 255, 255}, Rgb{18, 18, 18}, Rgb{255, 200, 0}}) {
                const QImage opaque = draw(text, {2, ink, ground});
                QCOMPARE(opaque.size(), clear.size());
                QCOMPARE(opaque.pixel(0, 0), rgbOf(ground));
                QVERIFY(opaque.pixel(0, 0) != rgbOf(ink));
                int worst = 0, fullInk = 0;
                for (int y = 0; y < clear.height(); ++y)
                    for (int x = 0; x < clear.width(); ++x) {
                        const QRgb over = clear.pixel(x, y), drawn = opaque.pixel(x, y);
                        const int alpha = qAlpha(over);
                        const auto composite = [&](int top, int below) {
                            return (top * alpha + below * (255 - alpha) + 127) / 255;
                        };
                        worst = std::max(
                            {worst, std::abs(composite(qRed(over), ground.r) - qRed(drawn)),
                             std::abs(composite(qGreen(over), ground.g) - qGreen(drawn)),
                             std::abs(composite(qBlue(over), ground.b) - qBlue(drawn))});
                        fullInk += drawn == rgbOf(ink);
                    }
                QVERIFY2(worst <= 2, qPrintable(QString::number(worst)));
                QVERIFY(fullInk > 0);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestConverterDrawStyle)
#include "test_drawstyle.moc"
