// The tools' command line, output streams, exit status and output format, run
// as processes from inside their folder with relative names, as scripts do.
#include "toolrun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

class TestConverterCommandLine : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() { QVERIFY(QDir::setCurrent(dir.path())); }

    void init() {
        for (const QString& name : folderEntries("."))
            QFile::remove(name);
        writeFile("e mails.txt", "alice@example.com\n");
    }

    void fewerThanTwoArguments_printUsage_andTouchNothing_data() {
        QTest::addColumn<Tool>("tool");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("usage");
        const QByteArray png = "Usage: TXT2PNG.exe <text_file> <output_file>\n";
        const QByteArray jpg = "Usage: TXT2JPG.exe <text_file> <output_file>\n";
        QTest::newRow("png, none") << Tool::Png << QStringList{} << png;
        QTest::newRow("png, text only") << Tool::Png << QStringList{"e mails.txt"} << png;
        QTest::newRow("jpg, none") << Tool::Jpeg << QStringList{} << jpg;
        QTest::newRow("jpg, missing text only") << Tool::Jpeg << QStringList{"nope.txt"} << jpg;
    }

    void fewerThanTwoArguments_printUsage_andTouchNothing() {
        QFETCH(Tool, tool);
        QFETCH(QStringList, args);
        QFETCH(QByteArray, usage);
        const ToolRun run = runTool(tool, args);
        QVERIFY(run.exitedNormally);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, usage);
        QVERIFY(run.err.isEmpty());
        QCOMPARE(folderEntries("."), QStringList{"e mails.txt"});
    }

    // Each run replaces an older file, and gets further arguments to ignore.
    void normalRun_writesTheToolsFormat_whateverTheName_data() {
        QTest::addColumn<Tool>("tool");
        QTest::addColumn<QString>("image");
        QTest::addColumn<QByteArray>("signature");
        const QByteArray png("\x89PNG\r\n\x1a\n"), jpeg("\xFF\xD8\xFF");
        QTest::newRow("png named .JPEG") << Tool::Png << "alice.JPEG" << png;
        QTest::newRow("png without extension") << Tool::Png << "alice" << png;
        QTest::newRow("jpg named .png") << Tool::Jpeg << "alice.png" << jpeg;
        QTest::newRow("jpg named like an address") << Tool::Jpeg << "a b@example.com" << jpeg;
    }

    void normalRun_writesTheToolsFormat_whateverTheName() {
        QFETCH(Tool, tool);
        QFETCH(QString, image);
        QFETCH(QByteArray, signature);
        writeFile(image, "an older file, much longer than nothing at all");
        QFile::setPermissions(image, QFile::ReadOwner | QFile::WriteOwner);
        const ToolRun run = runTool(tool, {"e mails.txt", image, "ignored.png", "-x"});
        QVERIFY(run.exitedNormally);
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.isEmpty() && run.err.isEmpty());
        QVERIFY(readFile(image).startsWith(signature));
        // The image gets the mode any new file gets, not the old one's or a temporary file's.
        QCOMPARE(QFile::permissions(image), QFile::permissions("e mails.txt"));
        QCOMPARE(readFile("e mails.txt"), QByteArray("alice@example.com\n"));
        QStringList others = folderEntries(".");
        QVERIFY(others.removeOne(image));
        QCOMPARE(others, QStringList{"e mails.txt"}); // nothing else written, nothing left
    }

    // libjpeg's standard tables at quality 75 start with the DC steps 8
    // (luminance) and 9 (chrominance).
    void jpegIsWrittenAtQuality75() {
        QCOMPARE(runTool(Tool::Jpeg, {"e mails.txt", "a.jpg"}).exitCode, 0);
        const QByteArray jpeg = readFile("a.jpg");
        const auto dcStep = [&](char table) {
            const qsizetype at = jpeg.indexOf(QByteArray("\xFF\xDB\0\x43", 4) + table);
            return at < 0 ? -1 : int(uchar(jpeg[at + 5]));
        };
        QCOMPARE(dcStep(0), 8);
        QCOMPARE(dcStep(1), 9);
    }

    // A tool runs once per address, so it asks for no library the text does
    // not need: fontconfig only for a character the primary font lacks,
    // HarfBuzz only for text that needs shaping, never the other tool's
    // encoder.
    void librariesLoaded_areThoseTheTextNeeds_data() {
        QTest::addColumn<Tool>("tool");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("loaded");
        QTest::addColumn<QStringList>("notLoaded");
        const QStringList all{"libfontconfig", "libharfbuzz", "libpng", "libjpeg"};
        const auto row = [&](const char* name, Tool tool, const QByteArray& text,
                             const QStringList& loaded) {
            QStringList notLoaded = all;
            for (const QString& library : loaded)
                notLoaded.removeAll(library);
            QTest::newRow(name) << tool << text << loaded << notLoaded;
        };
        row("png, Latin and Cyrillic", Tool::Png, "alice@example.com \xD0\xB8\xD0\xB2\n",
            {"libpng"});
        row("jpg, Latin", Tool::Jpeg, "alice@example.com\n", {"libjpeg"});
        row("png, Han, kana and Hangul", Tool::Png,
            "\xE7\x94\xA8\xE6\x88\xB7@\xE3\x83\xA6\xE3\x83\xBC.\xEC\x82\xAC\n",
            {"libpng", "libfontconfig"});
        row("png, Arabic", Tool::Png, "\xD9\x85\xD8\xAD\xD9\x85\xD8\xAF@x.org\n",
            {"libpng", "libfontconfig", "libharfbuzz"});
    }

    void librariesLoaded_areThoseTheTextNeeds() {
        QFETCH(Tool, tool);
        QFETCH(QByteArray, text);
        QFETCH(QStringList, loaded);
        QFETCH(QStringList, notLoaded);
        writeFile("text.txt", text);
        const ToolRun run =
            runTool(tool, {"text.txt", "image"}, [] { ::setenv("LD_DEBUG", "files", 1); });
        QCOMPARE(run.exitCode, 0);
        // The libraries the tool itself asks for (FreeType's own are its own).
        QByteArray asked;
        for (const QByteArray& line : run.err.split('\n'))
            if (line.contains("dynamically loaded by") ||
                line.endsWith("needed by " + toolPath(tool).toUtf8() + " [0]"))
                asked += line + '\n';
        for (const QString& library : loaded)
            QVERIFY2(asked.contains("file=" + library.toUtf8()), qPrintable(library));
        for (const QString& library : notLoaded)
            QVERIFY2(!asked.contains("file=" + library.toUtf8()), qPrintable(library));
    }
};

QTEST_GUILESS_MAIN(TestConverterCommandLine)
#include "test_commandline.moc"
