// What is drawn: opaque pixels, a pure white ground, ink where the text is.
#include "toolrun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const float kCell = 1.03f * kAdvance * kEm / kUnitsPerEm; // one tracked advance
const float kLineSpacing = float(kAscent + kDescent) * kEm / kUnitsPerEm;

// Any pixel in the area that is not exactly white.
bool hasInk(const QImage& image, const QRect& area) {
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

// The pixel columns of the cell of the character at `index`, without the
// columns it shares with its neighbours.
QRect cellColumns(const QImage& image, int index) {
    const int left = int(kEm / 6 + index * kCell) + 1,
              right = int(kEm / 6 + (index + 1) * kCell) - 1;
    return QRect(QPoint(left, 0), QPoint(right, image.height() - 1));
}

QRect lineBand(const QImage& image, int line) {
    return QRect(0, int(line * kLineSpacing), image.width(), int(kLineSpacing));
}

} // namespace

class TestConverterPixels : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void opaqueGrayInk_onPureWhite_inTheCellsOfTheText() {
        const QImage image = drawText(Tool::Png, dir.path(), "M M\n\nW\n");
        QVERIFY(!image.isNull());
        QVERIFY(!image.hasAlphaChannel());
        int nearBlack = 0, midGray = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                QCOMPARE(qAlpha(pixel), 255);
                QVERIFY(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel));
                nearBlack += qGray(pixel) < 32;
                midGray += qGray(pixel) >= 64 && qGray(pixel) < 192;
            }
        QVERIFY2(nearBlack > 10, "black text, not faint");
        QVERIFY2(midGray > 20, "anti-aliased edges");
        // Exactly white (no ink) in the space, the empty line and the em/6 margin.
        QVERIFY(hasInk(image, cellColumns(image, 0) & lineBand(image, 0)));
        QVERIFY(!hasInk(image, cellColumns(image, 1)));
        QVERIFY(hasInk(image, cellColumns(image, 2) & lineBand(image, 0)));
        QVERIFY(!hasInk(image, lineBand(image, 1)));
        QVERIFY(hasInk(image, cellColumns(image, 0) & lineBand(image, 2)));
        QVERIFY(!hasInk(image, QRect(0, 0, 2, image.height())));
        QVERIFY(hasInk(image, QRect(0, 0, image.width(), 3))); // the first line starts at the top
    }

    void tabsAndControlsDrawNothing() {
        QCOMPARE(drawText(Tool::Png, dir.path(),
                          "a\x01\x7f"
                          "b\x1b\n"),
                 drawText(Tool::Png, dir.path(), "ab\n"));
        const QImage tabbed = drawText(Tool::Png, dir.path(), "\tx\n");
        QVERIFY(!hasInk(tabbed, QRect(0, 0, int(kEm / 6 + 8 * kCell), tabbed.height())));
        QVERIFY(hasInk(tabbed, cellColumns(tabbed, 8)));
    }

    // U+2200 is missing from the substitute font but not from the system's
    // fonts: it is drawn from a fallback, not as the missing-glyph box that
    // an unassigned code point gets.
    void missingCharacterComesFromASystemFont() {
        const QImage fallback = drawText(Tool::Png, dir.path(), "\xE2\x88\x80\n");
        const QImage missing = drawText(Tool::Png, dir.path(), "\xCD\xB8\n");
        QVERIFY(hasInk(fallback, fallback.rect()));
        QVERIFY(hasInk(missing, missing.rect()));
        QVERIFY(fallback != missing);
    }

    // The tool ranks fallback fonts with a configuration of its own; it must
    // pick what fontconfig's whole configuration picks: Arabic and Hebrew
    // (which the primary monospaced fallback lacks), a mathematical sign,
    // box drawing.
    void fallbackFonts_asTheSystemConfigurationRanksThem() {
        const QByteArray text = "\xD9\x85\xD8\xAD\xD9\x85\xD8\xAF \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D"
                                " \xE2\x88\x80 \xE2\x94\x8C\n";
        const QImage own = drawText(Tool::Png, dir.path(), text);
        qputenv("FONTCONFIG_FILE", "/etc/fonts/fonts.conf");
        const QImage system = drawText(Tool::Png, dir.path(), text);
        qunsetenv("FONTCONFIG_FILE");
        QVERIFY(!own.isNull());
        QCOMPARE(own, system);
    }

    // A replacement character from a proportional font, wider than a cell,
    // is shrunk into its own cell rather than spilling into the next.
    void wideFallbackGlyph_staysInItsCell() {
        const OnlySystemFont only(kProportionalFont);
        const QImage image = drawText(Tool::Png, dir.path(), "\xE9 \xE9\n");
        QVERIFY(hasInk(image, cellColumns(image, 0)));
        QVERIFY(!hasInk(image, cellColumns(image, 1)));
        QVERIFY(hasInk(image, cellColumns(image, 2)));
    }

    // A file named like the named font is not taken for it unless its family
    // says so: here it is the substitute's own file under that name.
    void namedFontIsRecognisedByFamily_notFileName() {
        const QImage usual = drawText(Tool::Png, dir.path(), "alice@example.com\n");
        QTemporaryDir home;
        QVERIFY(QDir(home.path()).mkpath(".fonts"));
        QVERIFY(QFile::copy("/usr/share/fonts/truetype/liberation2/LiberationMono-Regular.ttf",
                            home.filePath(".fonts/lucon.ttf")));
        const QByteArray realHome = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        const QImage withImpostor = drawText(Tool::Png, dir.path(), "alice@example.com\n");
        qputenv("HOME", realHome);
        QCOMPARE(withImpostor, usual);
    }
};

QTEST_GUILESS_MAIN(TestConverterPixels)
#include "test_pixels.moc"
