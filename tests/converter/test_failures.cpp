// Every way a run can fail: a message naming the cause on standard error, a
// non-zero status, no image or partial image left, an earlier image kept.
#include "toolrun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

constexpr int kUnreadableInput = 1, kNothingToDraw = 2, kImageTooLarge = 3, kUnwritableOutput = 4;

const QByteArray kEarlierImage = "an image that stood here before the run";

void row(const char* name, Tool tool, const QString& text, const QString& image, int status,
         const char* cause) {
    QTest::newRow(name) << tool << text << image << status << QByteArray(cause);
}

} // namespace

// Runs inside its folder, so rows name the files relatively.
class TestConverterFailures : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    void expectFailure(Tool tool, const QStringList& args, int status, const QByteArray& cause,
                       const std::function<void()>& childSetup = nullptr) {
        const QStringList before = folderEntries(".");
        const ToolRun run = runTool(tool, args, childSetup);
        QVERIFY2(run.exitedNormally, "no crash");
        QCOMPARE(run.exitCode, status);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.endsWith('\n') && run.err.count('\n') == 1, run.err);
        QVERIFY2(run.err.contains(cause), run.err);
        // Nothing in a file name can steer the terminal, nor flood it.
        QVERIFY2(run.err.size() < 600, run.err.left(600));
        for (const char c : run.err.chopped(1))
            QVERIFY2(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f, run.err);
        QCOMPARE(folderEntries("."), before);
        QCOMPARE(readFile("old.png"), kEarlierImage);
    }

private slots:
    void initTestCase() {
        QVERIFY(QDir::setCurrent(dir.path()));
        QVERIFY(QDir().mkdir("sub"));
        writeFile("emails.txt", "alice@example.com\n");
        writeFile("old.png", kEarlierImage);
        writeFile("empty.txt", "");
        writeFile("mark.txt", "\xEF\xBB\xBF");
        writeFile("huge.txt", QByteArray((16 << 20) + 1, 'a'));
        // About 4 GiB of pixels: refused from the measured size, before allocating.
        writeFile("wide.txt", QByteArray(40000, 'm') + "\n" + QByteArray("m\n").repeated(900));
        writeFile("long line.txt", QByteArray(8000, 'm') + "\n");
        writeFile("many lines.txt", QByteArray("m\n").repeated(4920));
        writeFile("million rows.txt", QByteArray("m\n").repeated(75001));
        QCOMPARE(::mkfifo("pipe", 0600), 0);
    }

    void failsCleanly_data() {
        QTest::addColumn<Tool>("tool");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("image");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("cause");
        const Tool png = Tool::Png, jpg = Tool::Jpeg;
        row("text missing", png, "missing.txt", "old.png", kUnreadableInput, "No such file");
        row("text path empty", jpg, "", "old.png", kUnreadableInput, "no path given");
        row("text is a folder", png, "sub", "old.png", kUnreadableInput, "folder");
        // Opening a pipe with no writer would wait for one.
        row("text is a pipe", png, "pipe", "old.png", kUnreadableInput, "not a regular file");
        row("text is a device", jpg, "/dev/zero", "old.png", kUnreadableInput,
            "not a regular file");
        row("text over 16 MiB", png, "huge.txt", "old.png", kUnreadableInput, "larger than 16 MiB");
        row("text empty", png, "empty.txt", "old.png", kNothingToDraw, "nothing to draw");
        row("text only a mark", jpg, "mark.txt", "old.png", kNothingToDraw, "nothing to draw");
        row("too large for memory", png, "wide.txt", "old.png", kImageTooLarge, "more than");
        row("jpeg too wide", jpg, "long line.txt", "old.png", kImageTooLarge, "65500");
        row("jpeg too tall", jpg, "many lines.txt", "old.png", kImageTooLarge, "65500");
        row("png over a million rows", png, "million rows.txt", "old.png", kImageTooLarge,
            "1000000");
        row("image folder missing", png, "emails.txt", "no/a.png", kUnwritableOutput,
            "No such file");
        row("image is a folder", jpg, "emails.txt", "sub", kUnwritableOutput, "Is a directory");
        row("image ends with a slash", png, "emails.txt", "a/", kUnwritableOutput,
            "names a folder");
        row("image name too long", png, "emails.txt", QString(300, 'n'), kUnwritableOutput,
            "File name too long");
        row("image path empty", jpg, "emails.txt", "", kUnwritableOutput, "no path given");
        row("image name sets the title, clears the screen", png, "emails.txt",
            "no/\x1b]0;t\x07\x1b[2J\u009b.png", kUnwritableOutput,
            "\\x1b]0;t\\x07\\x1b[2J\\u009b.png");
        row("image name of 100 kB", png, "emails.txt", "no/" + QString(100000, 'n'),
            kUnwritableOutput, "nnn...nnn");
    }

    void failsCleanly() {
        QFETCH(Tool, tool);
        QFETCH(QString, text);
        QFETCH(QString, image);
        QFETCH(int, status);
        QFETCH(QByteArray, cause);
        expectFailure(tool, {text, image}, status, cause);
    }

    void pngIsWiderThanJpegAllows() {
        QCOMPARE(runTool(Tool::Png, {"long line.txt", "long.png"}).exitCode, 0);
        QVERIFY(QImage("long.png").width() > 65535);
        QVERIFY(QFile::remove("long.png"));
    }

    // Killed at any moment of a run, a tool leaves no file of its own: the
    // image is either not there yet or complete, and an earlier image stays
    // whole until then.
    void killedAtAnyMoment_leavesNoPartialFile() {
        QVERIFY(QDir().mkdir("killed"));
        const QString text = "killed/list.txt", image = "killed/image.png";
        writeFile(text, QByteArray("user.name@mail.example.org\n").repeated(10000));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(runTool(Tool::Png, {text, image}).exitCode, 0);
        const qint64 wholeRun = clock.elapsed();
        const QByteArray complete = readFile(image);
        constexpr int kKills = 10;
        for (int kill = 1; kill <= kKills; ++kill) {
            const bool earlier = kill % 2 == 0;
            if (earlier)
                writeFile(image, kEarlierImage);
            else
                QVERIFY(QFile::remove(image));
            QProcess tool;
            tool.start(toolPath(Tool::Png), {text, image});
            QVERIFY(tool.waitForStarted());
            QThread::msleep(static_cast<unsigned long>(wholeRun * kill / kKills));
            tool.kill();
            QVERIFY(tool.waitForFinished());
            QCOMPARE(folderEntries("killed"), earlier || QFile::exists(image)
                                                  ? QStringList({"image.png", "list.txt"})
                                                  : QStringList({"list.txt"}));
            const QByteArray left = readFile(image);
            QVERIFY2(left.isEmpty() || left == complete || (earlier && left == kEarlierImage),
                     qPrintable(QString("kill %1 left %2 bytes").arg(kill).arg(left.size())));
        }
    }

    // The disk fills up while the image is written (a file size limit stands
    // in for it): no partial image, and the earlier one stays.
    void writeFailingMidway_keepsEarlierImage() {
        const auto smallDisk = [] {
            const rlimit limit{100, 100};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::signal(SIGXFSZ, SIG_IGN); // writes then fail with EFBIG
        };
        for (const Tool tool : {Tool::Png, Tool::Jpeg})
            expectFailure(tool, {"emails.txt", "old.png"}, kUnwritableOutput, "File too large",
                          smallDisk);
    }
};

QTEST_GUILESS_MAIN(TestConverterFailures)
#include "test_failures.moc"
