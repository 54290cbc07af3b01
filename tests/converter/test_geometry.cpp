// Image sizes: the layout box of the platform the tool follows, computed here
// from the named font's cell and the layout's rules rather than pasted.
#include "toolrun.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// Width: tracking 1.03 times the widest line's advances, plus em/6 at each
// end; height: the lines at the cell's line spacing, plus em/8. 32-bit
// floats, truncated toward zero (not rounded: "M" on three lines measures
// 12.72 x 41.67 and gives 12 x 41).
QSize layoutBox(int lines, int widestInCells) {
    const float perUnit = kEm / kUnitsPerEm;
    const float advances = float(widestInCells * kAdvance) * perUnit;
    const float lineSpacing = float(kAscent + kDescent) * perUnit;
    return QSize(int(1.03f * advances + kEm / 3), int(float(lines) * lineSpacing + kEm / 8));
}

} // namespace

class TestConverterGeometry : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void imageIsTheMeasuredLayoutBox_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("widestInCells");
        QTest::newRow("one address") << QByteArray("alice@example.com\n") << 1 << 17;
        QTest::newRow("no final break") << QByteArray("alice@example.com") << 1 << 17;
        QTest::newRow("widest line wins")
            << QByteArray("x@y.z\nlonger.address@example.org\na@b.c\n") << 3 << 26;
        QTest::newRow("three lines, truncated") << QByteArray("M\nM\nM\n") << 3 << 1;
        QTest::newRow("only the final break adds no line") << QByteArray("M\n\n") << 2 << 1;
        QTest::newRow("CR LF is one break") << QByteArray("ab\r\ncd\r\n") << 2 << 2;
        QTest::newRow("lone CR breaks") << QByteArray("ab\rcde") << 2 << 3;
        QTest::newRow("trailing spaces not measured") << QByteArray("ab     \ncd\n") << 2 << 2;
        QTest::newRow("line of spaces is measured") << QByteArray("ab\n     \n") << 2 << 5;
        QTest::newRow("line break only") << QByteArray("\n") << 1 << 0;
        QTest::newRow("tab to the next 8-cell stop") << QByteArray("ab\tc\n") << 1 << 9;
        QTest::newRow("controls take no room") << QByteArray("a\x01\x1b\x7f"
                                                             "b\n")
                                               << 1 << 2;
        QTest::newRow("Latin-1 letters one cell each") << QByteArray("Zoë@exämple.de\n") << 1 << 14;
        QTest::newRow("long line not wrapped") << QByteArray(3000, 'w') + "\n" << 1 << 3000;
        QTest::newRow("many lines") << QByteArray("m@example.com\n").repeated(200) << 200 << 13;
    }

    // A character the built-in font lacks takes one cell, or two when East
    // Asian wide, whichever font draws it: the system's, a proportional one,
    // or none (the missing-glyph box).
    void missingCharactersTakeWholeCells_whateverTheFonts_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("cells");
        QTest::newRow("invalid byte") << QByteArray("a\xE9"
                                                    "b\n")
                                      << 3;
        QTest::newRow("ideographs are wide") << QByteArray("\xE4\xB8\xAD\xE6\x96\x87@x\n") << 6;
        QTest::newRow("fullwidth letter") << QByteArray("\xEF\xBC\xA1"
                                                        "b\n")
                                          << 3;
        QTest::newRow("Arabic, joined")
            << QByteArray("\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7\n") << 5;
        QTest::newRow("emoji") << QByteArray("\xF0\x9F\x98\x80\n") << 2;
        QTest::newRow("mark on a wide base") << QByteArray("\xE4\xB8\xAD\xCC\x81\n") << 2;
    }

    void missingCharactersTakeWholeCells_whateverTheFonts() {
        QFETCH(QByteArray, text);
        QFETCH(int, cells);
        const QSize expected = layoutBox(1, cells);
        QCOMPARE(drawText(Tool::Png, dir.path(), text).size(), expected);
        for (const QString& font : {kProportionalFont, QString()}) {
            const OnlySystemFont only(font);
            QCOMPARE(drawText(Tool::Jpeg, dir.path(), text).size(), expected);
        }
    }

    void imageIsTheMeasuredLayoutBox() {
        QFETCH(QByteArray, text);
        QFETCH(int, lines);
        QFETCH(int, widestInCells);
        const QSize expected = layoutBox(lines, widestInCells);
        QCOMPARE(drawText(Tool::Png, dir.path(), text).size(), expected);
        QCOMPARE(drawText(Tool::Jpeg, dir.path(), text).size(), expected);
    }
};

QTEST_GUILESS_MAIN(TestConverterGeometry)
#include "test_geometry.moc"
