// The tools' command line, output streams and exit status, run as processes.
#include "toolrun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Tool)

class TestConverterCommandLine : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString at(const QString& name) const { return dir.filePath(name); }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

private slots:
    void init() {
        for (const QString& name : entries())
            QFile::remove(at(name));
        writeFile(at("emails.txt"), "alice@example.com\n");
    }

    void fewerThanTwoArguments_printUsage_andTouchNothing_data() {
        QTest::addColumn<Tool>("tool");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("usage");
        const QByteArray png = "Usage: TXT2PNG.exe <text_file> <output_file>\n";
        const QByteArray jpg = "Usage: TXT2JPG.exe <text_file> <output_file>\n";
        QTest::newRow("png, none") << Tool::Png << QStringList{} << png;
        QTest::newRow("png, text only") << Tool::Png << QStringList{at("emails.txt")} << png;
        QTest::newRow("jpg, none") << Tool::Jpeg << QStringList{} << jpg;
        QTest::newRow("jpg, missing text only") << Tool::Jpeg << QStringList{at("nope.txt")} << jpg;
    }

    void fewerThanTwoArguments_printUsage_andTouchNothing() {
        QFETCH(Tool, tool);
        QFETCH(QStringList, args);
        QFETCH(QByteArray, usage);
        const QStringList before = entries();
        const ToolRun run = runTool(tool, args);
        QVERIFY(run.exitedNormally);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, usage);
        QVERIFY(run.err.isEmpty());
        QCOMPARE(entries(), before);
    }

    void normalRun_writesImage_andPrintsNothing_data() {
        QTest::addColumn<Tool>("tool");
        QTest::newRow("png") << Tool::Png;
        QTest::newRow("jpg") << Tool::Jpeg;
    }

    void normalRun_writesImage_andPrintsNothing() {
        QFETCH(Tool, tool);
        const ToolRun run = runTool(tool, {at("emails.txt"), at("alice.img")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.isEmpty());
        QVERIFY(!QImage(at("alice.img")).isNull());
        QCOMPARE(readFile(at("emails.txt")), QByteArray("alice@example.com\n")); // input kept
        QCOMPARE(entries(), (QStringList{"alice.img", "emails.txt"}));           // nothing else
    }

    void furtherArguments_areIgnored() {
        const ToolRun run = runTool(Tool::Png, {at("emails.txt"), at("a.png"), at("b.png"), "-x"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.isEmpty());
        QVERIFY(!QImage(at("a.png")).isNull());
        QVERIFY(!QFile::exists(at("b.png")));
    }

    void existingFile_isReplaced_withTheUsualPermissions() {
        writeFile(at("reference"), "");
        writeFile(at("alice.png"), "an older file, much longer than nothing at all");
        QFile::setPermissions(at("alice.png"), QFile::ReadOwner | QFile::WriteOwner);
        const ToolRun run = runTool(Tool::Png, {at("emails.txt"), at("alice.png")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(readFile(at("alice.png")).startsWith("\x89PNG"));
        // A new image gets the mode any new file gets, not a temporary file's.
        QCOMPARE(QFile::permissions(at("alice.png")), QFile::permissions(at("reference")));
    }

    void pathsWithSpacesAndRelativePaths_work() {
        QDir(dir.path()).mkdir("my folder");
        writeFile(at("my folder/e mails.txt"), "bob@example.com\n");
        QProcess process;
        process.setWorkingDirectory(at("my folder"));
        process.start(toolPath(Tool::Jpeg), {"e mails.txt", "bob@example.com.jpg"});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(!QImage(at("my folder/bob@example.com.jpg")).isNull());
    }
};

QTEST_GUILESS_MAIN(TestConverterCommandLine)
#include "test_commandline.moc"
