// The command line as scripts use it: the real program with no display, and
// the same images as the window makes.
#include "windowfixture.h"

#include <addresslistview.h>
#include <cli/commandline.h>

#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

struct Outcome {
    int status = -1;
    QByteArray errors;
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }

    // Starts the program as a server would: no display, no platform chosen.
    void start(QProcess& program, const QStringList& arguments, const QByteArray& input) {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        environment.insert(QStringLiteral("HOME"), dir_.path());
        environment.insert(QStringLiteral("TEMP"), path("temp"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(ORVANTA_PROGRAM), arguments);
        program.write(input);
        program.closeWriteChannel();
    }

    Outcome run(const QStringList& arguments, const QByteArray& input = {}) {
        QProcess program;
        start(program, arguments, input);
        if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit)
            return {};
        return {program.exitCode(), program.readAllStandardError()};
    }

private slots:
    void init() {
        QDir(path("out")).removeRecursively();
        QDir().mkpath(path("out"));
        QDir().mkpath(path("temp"));
    }

    void outcomes_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("errors");
        QTest::addColumn<QStringList>("images");
        const QString out = path("out");
        QTest::newRow("all made, from input and --address")
            << QStringList{"--convert", "-f", "png", "-o", out, "-e", "a@x.org", "-"}
            << QByteArray("b@x.org\r\nc@x.org") << 0 << QByteArray()
            << QStringList{"a@x.org.png", "b@x.org.png", "c@x.org.png"};
        QTest::newRow("some not made, each named with its reason")
            << QStringList{"--convert", "-o", out, "-e", "../up@x.org", "-e", "ok@x.org"}
            << QByteArray() << 1
            << QByteArray("orvanta: ../up@x.org: the address has a \"..\" part; its image would leave "
                          "the output folder\n")
            << QStringList{"ok@x.org.jpg"};
        QTest::newRow("nothing to convert")
            << QStringList{"--convert", "-o", out} << QByteArray() << 2
            << QByteArray("orvanta: no addresses to convert\n") << QStringList();
        QTest::newRow("no such output folder")
            << QStringList{"--convert", "-o", path("missing"), "-e", "a@x.org"} << QByteArray() << 2
            << "orvanta: " + QFile::encodeName(path("missing")) +
                   ": the output folder does not exist\n"
            << QStringList();
        QTest::newRow("bad usage")
            << QStringList{"--convert", "-f", "gif", "-e", "a@x.org"} << QByteArray() << 2
            << QByteArray("orvanta: Unknown image format 'gif': use jpg or png.\n"
                          "Try 'orvanta --help' for more information.\n")
            << QStringList();
    }
    void outcomes() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(QByteArray, errors);
        QFETCH(QStringList, images);
        const Outcome outcome = run(arguments, input);
        QCOMPARE(outcome.errors, errors);
        QCOMPARE(outcome.status, status);
        QCOMPARE(QDir(path("out")).entryList(QDir::Files | QDir::Hidden), images);
        // Nothing of the run is left in the temporary folder.
        QCOMPARE(QDir(path("temp")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    // One image for the whole list holds every source's addresses, in the
    // order the arguments give them.
    void wholeListInArgumentOrder() {
        QFile list(path("list.txt"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("first@x.org\r\nsecond@x.org\r\n");
        list.close();
        const Outcome outcome = run({"--convert", "--all", "--format=png", "-o", path("out"),
                                     path("list.txt"), "-e", "third@x.org", "-"},
                                    "fourth@x.org");
        QCOMPARE(outcome.status, 0);

        QFile text(path("expected.txt"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("first@x.org\r\nsecond@x.org\r\nthird@x.org\r\nfourth@x.org");
        text.close();
        QCOMPARE(QProcess::execute(CONVERTER_PNG, {path("expected.txt"), path("expected.png")}), 0);
        QCOMPARE(readAll(path("out/Orvanta_Result.png")), readAll(path("expected.png")));
    }

    // A cron job's timeout or Ctrl-C ends the program as the signal would,
    // but the run's folder goes with it.
    void stoppedRun_leavesNoRunFolder() {
        QByteArray addresses;
        for (int i = 0; i < 5000; ++i)
            addresses += "u" + QByteArray::number(i) + "@x.org\n";
        QProcess program;
        start(program, {"--convert", "-o", path("out")}, addresses);
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(path("out")).isEmpty(), 30000);
        program.terminate();
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::CrashExit);
        QCOMPARE(QDir(path("temp")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    void bothFrontsMakeTheSameImages() {
        const QStringList addresses{"ann@example.com", "bob.o'neil@example.org"};
        qputenv("TEMP", QFile::encodeName(path("temp")));
        WindowFixture fixture;
        Form1& window = fixture.open();
        window.ListView1->entries().append(addresses);
        window.Text1->setText(path("out") + u'/');
        QTest::mouseClick(window.PushButton2, Qt::LeftButton);
        QCOMPARE(fixture.dialogs.texts(), QStringList{"Done."});

        QDir().mkpath(path("cli"));
        QCOMPARE(
            run({"--convert", "-o", path("cli"), "-e", addresses[0], "-e", addresses[1]}).status,
            0);
        for (const QString& address : addresses) {
            const QByteArray image = readAll(path("out/" + address + ".jpg"));
            QVERIFY(!image.isEmpty());
            QCOMPARE(readAll(path("cli/" + address + ".jpg")), image);
        }
    }

    void listFilesOpenInTheWindow() {
        QFile list(path("one.txt"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("a@x.org\r\nb@x.org");
        list.close();
        const cli::Invocation invocation = cli::ParseCommandLine(
            {"orvanta", QFile::encodeName(path("one.txt")), QFile::encodeName(path("missing.txt")),
             QFile::encodeName(path("one.txt"))});
        QCOMPARE(invocation.command, cli::Command::OpenWindow);

        WindowFixture fixture;
        fixture.open().openListFiles(invocation.listFiles);
        QCOMPARE(fixture.entries(), (QStringList{"a@x.org", "b@x.org", "a@x.org", "b@x.org"}));
        QCOMPARE(fixture.dialogs.texts(), QStringList{"File not found"});
        QCOMPARE(fixture.window().pointer(), Form1::kPointerDefault);
    }
};

QTEST_MAIN(CommandLineTest)
#include "test_commandline.moc"
