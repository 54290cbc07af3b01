// Every way a run can fail: a message naming the cause on standard error, a
// non-zero status, no image or partial image left, an earlier image kept.
#include "toolrun.h"

#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

Q_DECLARE_METATYPE(Tool)

namespace {

enum Status { UnreadableInput = 1, NothingToDraw = 2, ImageTooLarge = 3, UnwritableOutput = 4 };

const QByteArray kEarlierImage = "an image that stood here before the run";

} // namespace

class TestConverterFailures : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString at(const QString& name) const { return dir.filePath(name); }

    // Names and contents of everything in the folder, temporary files included.
    QMap<QString, QByteArray> folder() const {
        QMap<QString, QByteArray> entries;
        for (const QString& name :
             QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
            entries[name] = readFile(at(name));
        return entries;
    }

    void expectFailure(Tool tool, const QStringList& args, int status, const QByteArray& cause,
                       const std::function<void()>& childSetup = nullptr) {
        const QMap<QString, QByteArray> before = folder();
        const ToolRun run = runTool(tool, args, childSetup);
        QVERIFY2(run.exitedNormally, "no crash");
        QCOMPARE(run.exitCode, status);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.endsWith('\n') && run.err.count('\n') == 1, run.err);
        QVERIFY2(run.err.contains(cause), run.err);
        QCOMPARE(folder(), before);
    }

private slots:
    void init() {
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        writeFile(at("emails.txt"), "alice@example.com\n");
        writeFile(at("old.png"), kEarlierImage);
    }

    void unreadableText_keepsEarlierImage_data() {
        QTest::addColumn<QString>("textPath");
        QTest::addColumn<QByteArray>("cause");
        QTest::newRow("missing") << at("missing.txt") << QByteArray("No such file or directory");
        QTest::newRow("empty path") << QString() << QByteArray("no path given");
        QTest::newRow("a folder") << dir.path() << QByteArray("folder");
        QTest::newRow("below a file") << at("emails.txt/x") << QByteArray("Not a directory");
        QTest::newRow("over 16 MiB") << at("huge.txt") << QByteArray("larger than 16 MiB");
    }

    void unreadableText_keepsEarlierImage() {
        QFETCH(QString, textPath);
        QFETCH(QByteArray, cause);
        if (textPath.endsWith("huge.txt"))
            writeFile(textPath, QByteArray((16 << 20) + 1, 'a'));
        expectFailure(Tool::Png, {textPath, at("old.png")}, UnreadableInput, cause);
    }

    void textWithNothingToDraw_keepsEarlierImage() {
        writeFile(at("empty.txt"), "");
        expectFailure(Tool::Png, {at("empty.txt"), at("old.png")}, NothingToDraw,
                      "nothing to draw");
        writeFile(at("mark.txt"), "\xEF\xBB\xBF");
        expectFailure(Tool::Jpeg, {at("mark.txt"), at("old.png")}, NothingToDraw,
                      "nothing to draw");
    }

    // Refused from the measured size, before any pixel is allocated: this one
    // would need about 4 GiB.
    void imageTooLargeForMemory() {
        writeFile(at("wide.txt"), QByteArray(40000, 'm') + "\n" + QByteArray("m\n").repeated(900));
        expectFailure(Tool::Png, {at("wide.txt"), at("old.png")}, ImageTooLarge, "more than");
    }

    void jpegSideOverItsLimit_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("width") << QByteArray(8000, 'm') + "\n";
        QTest::newRow("height") << QByteArray("m\n").repeated(4920);
    }

    void jpegSideOverItsLimit() {
        QFETCH(QByteArray, text);
        writeFile(at("long.txt"), text);
        expectFailure(Tool::Jpeg, {at("long.txt"), at("old.png")}, ImageTooLarge, "65500");
        // PNG holds it.
        QCOMPARE(runTool(Tool::Png, {at("long.txt"), at("long.png")}).exitCode, 0);
        QVERIFY(qMax(QImage(at("long.png")).width(), QImage(at("long.png")).height()) > 65535);
    }

    void unwritableImagePath_data() {
        QTest::addColumn<QString>("imagePath");
        QTest::addColumn<QByteArray>("cause");
        QTest::newRow("missing folder")
            << at("nowhere/a.png") << QByteArray("No such file or directory");
        QTest::newRow("below a file") << at("emails.txt/a.png") << QByteArray("Not a directory");
        QTest::newRow("an existing folder") << dir.path() << QByteArray("Is a directory");
        QTest::newRow("ends with a slash") << at("sub/") << QByteArray("names a folder");
        QTest::newRow("name too long") << at(QString(300, 'n')) << QByteArray("File name too long");
        QTest::newRow("empty path") << QString() << QByteArray("no path given");
    }

    void unwritableImagePath() {
        QFETCH(QString, imagePath);
        QFETCH(QByteArray, cause);
        expectFailure(Tool::Png, {at("emails.txt"), imagePath}, UnwritableOutput, cause);
        expectFailure(Tool::Jpeg, {at("emails.txt"), imagePath}, UnwritableOutput, cause);
    }

    // The disk fills up while the image is written (a file size limit stands
    // in for it): no partial image, and the earlier one stays.
    void writeFailingMidway_keepsEarlierImage_data() {
        QTest::addColumn<Tool>("tool");
        QTest::newRow("png") << Tool::Png;
        QTest::newRow("jpg") << Tool::Jpeg;
    }

    void writeFailingMidway_keepsEarlierImage() {
        QFETCH(Tool, tool);
        const auto smallDisk = [] {
            const rlimit limit{100, 100};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::signal(SIGXFSZ, SIG_IGN); // writes then fail with EFBIG
        };
        expectFailure(tool, {at("emails.txt"), at("old.png")}, UnwritableOutput, "File too large",
                      smallDisk);
    }
};

QTEST_GUILESS_MAIN(TestConverterFailures)
#include "test_failures.moc"
