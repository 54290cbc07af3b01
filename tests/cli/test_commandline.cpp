// The command line as scripts use it: the real program with no display, and
// the same images as the window makes.
#include "windowfixture.h"

#include <addresslistview.h>
#include <cli/commandline.h>
#include <cli/nametemplate.h>

#include <QCryptographicHash>
#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>

#include <conversion/imagepath.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Outcome {
    int status = -1;
    QByteArray errors;
    QByteArray output;
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString temp_;
    QString path(const QString& name) const { return dir_.filePath(name); }
    QByteArray out(const QString& name) const { return QFile::encodeName(path("out/" + name)); }

    // Starts the program as a server would: no display, no platform chosen.
    void start(QProcess& program, const QStringList& arguments, const QByteArray& input,
               const QString& executable = QStringLiteral(ORVANTA_PROGRAM)) {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        environment.insert(QStringLiteral("HOME"), dir_.path());
        environment.insert(QStringLiteral("TEMP"), temp_);
        program.setProcessEnvironment(environment);
        program.start(executable, arguments);
        program.write(input);
        program.closeWriteChannel();
    }

    // The image a tool makes of `text`, as the window has it made.
    QByteArray toolImage(const QString& text, const QString& format) {
        QFile file(path("tool.txt"));
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
            return {};
        file.close();
        const QString image = path("tool." + format);
        QFile::remove(image);
        QProcess::execute(format == "png" ? CONVERTER_PNG : CONVERTER_JPG,
                          {path("tool.txt"), image});
        return readAll(image);
    }

    Outcome run(const QStringList& arguments, const QByteArray& input = {}) {
        QProcess program;
        start(program, arguments, input);
        if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit)
            return {};
        return {program.exitCode(), program.readAllStandardError(),
                program.readAllStandardOutput()};
    }

private slots:
    void init() {
        QDir(path("out")).removeRecursively();
        QDir().mkpath(path("out"));
        QDir().mkpath(path("temp"));
        temp_ = path("temp");
        QFile(path("list.txt")).open(QIODevice::WriteOnly | QIODevice::Append);
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
            << QByteArray(
                   "orvanta: ../up@x.org: the address has a \"..\" part; its image would leave "
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
        QTest::newRow("output folder is a file")
            << QStringList{"--convert", "-o", path("out/../list.txt"), "-e", "a@x.org"}
            << QByteArray() << 2
            << "orvanta: " + QFile::encodeName(path("out/../list.txt")) +
                   ": the output folder is not a folder\n"
            << QStringList();
        // Blank lines and lines of spaces are no addresses; a line too long
        // for any path is refused unread, and the rest still made.
        QTest::newRow("lines trimmed, blanks skipped, an overlong line refused")
            << QStringList{"--convert", "-o", out, "--name", "{n}"}
            << " a@x.org \n\n  \t\r\n" + QByteArray(5000, 'x') + "\nb@x.org" << 1
            << "orvanta: " + QByteArray(40, 'x') +
                   "...: the line is 5000 bytes long, longer than any file path can be\n"
            << QStringList{"1.jpg", "3.jpg"};
        QTest::newRow("names from a template are refused as addresses are")
            << QStringList{"--convert", "-o", out, "--name", "../{local}", "-e", "a@x.org"}
            << QByteArray() << 1
            << QByteArray("orvanta: a@x.org: the address has a \"..\" part; its image would "
                          "leave the output folder\n")
            << QStringList();
        QTest::newRow("input that is no list ends the run")
            << QStringList{"--convert", "-o", out, "-"} << QByteArray(3 << 20, '\0') << 2
            << QByteArray("orvanta: standard input: a line runs on past 1048576 bytes; this is "
                          "no list of addresses\n")
            << QStringList();
        QTest::newRow("an endless stream of separators ends the run")
            << QStringList{"--convert", "-z", "-o", out, "/dev/zero"} << QByteArray() << 2
            << QByteArray("orvanta: /dev/zero: 1048576 bytes hold no address; this is no list "
                          "of addresses\n")
            << QStringList();
        QTest::newRow("a clear ground asked of JPEG ends the run before any image")
            << QStringList{"--convert", "-o", out, "--dark", "white", "-e", "a@x.org"}
            << QByteArray() << 2
            << QByteArray("orvanta: JPEG has no transparency: make PNG images (-f png), or give "
                          "the ground a colour (--background, --dark COLOR,BACKGROUND)\n")
            << QStringList();
        // With scaled or dark images, a name ending as theirs do could take
        // another address's.
        QTest::newRow("a name ending as a scaled image's is refused")
            << QStringList{"--convert", "-f",      "png", "-o",         out,  "--scale", "2,1",
                           "-n",        "{local}", "-e",  "x@2x@y.org", "-e", "x@y.org"}
            << QByteArray() << 1
            << QByteArray("orvanta: x@2x@y.org: its image's name would end in \"@2x\", as this "
                          "run names the scaled and dark images of other addresses\n")
            << QStringList{"x.png", "x@2x.png"};
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

    void nameTemplates() {
        QString error;
        const auto name = cli::NameTemplate::parse("{local}.{domain}.{n}/{hash}-{address}", &error);
        QVERIFY(name);
        QCOMPARE(name->nameFor("ann@example.org", 7),
                 "ann.example.org.7/438c4c7afe600cdf-ann@example.org");
        // The parts are around the last "@"; an address without one is all local part.
        QCOMPARE(name->nameFor("x@ann@example.org", 1).section(u'/', 0, 0), "x@ann.example.org.1");
        QCOMPARE(name->nameFor("nobody", 1).section(u'/', 0, 0), "nobody..1");
        QVERIFY(!cli::NameTemplate::parse("{mail}", &error));
        QVERIFY(error.contains("{mail}"));
        QVERIFY(!cli::NameTemplate::parse("", &error));
        QCOMPARE(cli::ParseCommandLine({"orvanta", "--convert", "-a", "-n", "{hash}"}).command,
                 cli::Command::BadUsage);
    }

    // What a script reads: paths in list order (NUL-terminated with -z), and
    // one JSON object per address with the image's true size.
    void printAndJson() {
        const QString folder = path("out");
        const Outcome printed =
            run({"--convert", "-z", "--print", "-f", "png", "-o", folder, "-n", "{hash}"},
                QByteArray("b@x.org\0 \0\na@x.org\0\0", 20));
        QCOMPARE(printed.status, 0);
        QCOMPARE(printed.output,
                 out("1d2da3c794ec0b0c.png") + '\0' + out("907d7bf93d60cbe6.png") + '\0');

        const Outcome json = run({"--convert", "--json", "-f", "png", "-o", folder, "-e", "a@x.org",
                                  "-e", "../b@x.org"});
        QCOMPARE(json.status, 1);
        const QList<QByteArray> lines = json.output.split('\n');
        QCOMPARE(lines.size(), 3);
        const QJsonObject made = QJsonDocument::fromJson(lines[0]).object();
        const QImage image(path("out/a@x.org.png"));
        QCOMPARE(made.value("address").toString(), "a@x.org");
        QCOMPARE(made.value("path").toString(), path("out/a@x.org.png"));
        QCOMPARE(made.value("width").toInt(), image.width());
        QCOMPARE(made.value("height").toInt(), image.height());
        const QJsonObject notMade = QJsonDocument::fromJson(lines[1]).object();
        QCOMPARE(notMade.keys(), (QStringList{"address", "reason"}));
        QVERIFY(notMade.value("reason").toString().contains(".."));

        // Every image of an address, each with its own size and address
        // for the page.
        const Outcome sets = run({"--convert", "--json", "-f", "png", "-o", folder, "--scale",
                                  "1,3", "--dark", "white", "--url", "/i", "-e", "a b@x.org"});
        const QJsonArray images = QJsonDocument::fromJson(sets.output).object()["images"].toArray();
        QCOMPARE(images.size(), 4);
        const QJsonObject darkAt3 = images[3].toObject();
        QCOMPARE(darkAt3.value("set").toString(), "dark");
        QCOMPARE(darkAt3.value("path").toString(), path("out/a b@x.org@dark@3x.png"));
        QCOMPARE(darkAt3.value("url").toString(), "/i/a%20b@x.org@dark@3x.png");
        QCOMPARE(QImage(path("out/a b@x.org@dark@3x.png")).size(),
                 QSize(darkAt3.value("width").toInt(), darkAt3.value("height").toInt()));
        QCOMPARE(darkAt3.value("width").toInt(), 3 * images[0].toObject().value("width").toInt());
    }

    // A named pipe is a list, read as its writer writes it.
    void namedPipeAsList() {
        QCOMPARE(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
        QProcess program;
        start(program, {"--convert", "--print", "-o", path("out"), path("fifo")}, {});
        QFile fifo(path("fifo"));
        QVERIFY(fifo.open(QIODevice::WriteOnly));
        fifo.write("a@x.org\nb@x.org\n");
        fifo.close();
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(program.readAllStandardOutput(),
                 out("a@x.org.jpg") + '\n' + out("b@x.org.jpg") + '\n');
    }

    // Many images at once: the same images, names, reasons and order as one at a time.
    void jobsMakeWhatOneAtATimeMakes() {
        QByteArray list = "../refused@x.org\n";
        for (int i = 0; i < 24; ++i)
            list += "u" + QByteArray::number(i) + "@x.org\n";
        QDir().mkpath(path("out/one"));
        QDir().mkpath(path("out/four"));
        const Outcome one =
            run({"--convert", "--json", "-j", "1", "-o", path("out/one"), "-"}, list);
        const Outcome four =
            run({"--convert", "--json", "-j", "4", "-o", path("out/four"), "-"}, list);
        QCOMPARE(four.status, 1);
        QCOMPARE(four.errors, one.errors);
        QCOMPARE(four.output, QByteArray(one.output).replace("/one/", "/four/"));
        const QStringList images = QDir(path("out/one")).entryList(QDir::Files);
        QCOMPARE(images.size(), 24);
        QCOMPARE(QDir(path("out/four")).entryList(QDir::Files), images);
        for (const QString& image : images)
            QCOMPARE(readAll(path("out/four/" + image)), readAll(path("out/one/" + image)));
    }

    // TEMP is never touched, even when it is no folder; a standard output
    // that fails is told once and ends the run, the images made counted.
    void failingOutputToldOnce_temporaryFolderUntouched() {
        temp_ = path("list.txt");
        const QByteArray tempBefore = readAll(temp_);
        QProcess program;
        program.setStandardOutputFile("/dev/full");
        start(program, {"--convert", "--print", "-o", path("out")}, "a@x.org\nb@x.org\nc@x.org");
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 2);
        QCOMPARE(program.readAllStandardError(),
                 QByteArray("orvanta: standard output: No space left on device\n"));
        QVERIFY(QDir(path("out")).entryList(QDir::Files).contains("a@x.org.jpg"));
        QCOMPARE(readAll(temp_), tempBefore);
    }

    // The command line draws in its own process what the tools draw, byte
    // for byte, in every script, one image per address and one for all.
    void sameBytesAsTheTools() {
        const QStringList addresses{"ann@example.com", "\u0438\u0432\u0430\u043d@example.ru",
                                    "\u0633\u0644\u0627\u0645@example.eg",
                                    "\u7528\u6237@\u4f8b\u5b50.cn",
                                    "e\u0301cole@exa\u0308mple.org"};
        for (const QString format : {"png", "jpg"}) {
            QStringList arguments{"--convert", "-j", "4", "-f", format, "-o", path("out")};
            for (const QString& address : addresses)
                arguments << "-e" << address;
            QCOMPARE(run(arguments).status, 0);
            QCOMPARE(run(arguments << "-a").status, 0);
            for (const QString& address : addresses)
                QCOMPARE(readAll(path("out/" + address + "." + format)),
                         toolImage(address, format));
            QCOMPARE(readAll(path("out/Orvanta_Result." + format)),
                     toolImage(addresses.join("\r\n"), format));
        }
    }

    // An address whose image would be an earlier one's file is refused,
    // naming the earlier place, whatever the number of jobs; a file from
    // before the run is still replaced.
    void clashingNames_refused() {
        for (const QString jobs : {"1", "4"}) {
            init();
            QFile earlier(path("out/example.org.png"));
            QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("old") == 3);
            earlier.close();
            const Outcome outcome =
                run({"--convert", "-j", jobs, "-f", "png", "-n", "{domain}", "--print", "-o",
                     path("out")},
                    "a@example.com\nb@example.com\nc@example.org\nd@example.org\n");
            QCOMPARE(outcome.status, 1);
            QCOMPARE(outcome.output, out("example.com.png") + '\n' + out("example.org.png") + '\n');
            QCOMPARE(outcome.errors,
                     QByteArray("orvanta: b@example.com: its image would have the same path as "
                                "the image of address 1 in the list\n"
                                "orvanta: d@example.org: its image would have the same path as "
                                "the image of address 3 in the list\n"));
            QCOMPARE(readAll(path("out/example.com.png")), toolImage("a@example.com", "png"));
            QCOMPARE(readAll(path("out/example.org.png")), toolImage("c@example.org", "png"));
        }
    }

    // A sub-folder that is a link to elsewhere takes no image, in either front.
    void linkedSubfolder_refused() {
        QDir().mkpath(path("victim"));
        QVERIFY(QFile::link("../victim", path("out/sub")));
        const Outcome outcome = run({"--convert", "-o", path("out"), "-e", "sub/c@x.org"});
        QCOMPARE(outcome.status, 1);
        QCOMPARE(outcome.errors, QByteArray("orvanta: sub/c@x.org: its image would pass through a "
                                            "symbolic link out of the output folder\n"));
        QCOMPARE(QDir(path("victim")).entryList(QDir::Files), QStringList());
        QVERIFY(conversion::RefusedImageReason(path("out"), "sub/c@x.org", "jpg"));
    }

    // Every list opened only as its turn comes: thousands of them under a
    // low limit on open files, with -j lowered to fit it, said once.
    void manyLists_fewDescriptors() {
        QStringList arguments{"--convert", "-q", "-j", "100", "-o", path("out")};
        QDir().mkpath(path("lists"));
        for (int i = 0; i < 2000; ++i) {
            QFile list(path("lists/" + QString::number(i)));
            QVERIFY(list.open(QIODevice::WriteOnly));
            list.write("u" + QByteArray::number(i) + "@x.org\n");
            arguments << list.fileName();
        }
        QProcess program;
        program.setChildProcessModifier([] {
            const rlimit limit{64, 64};
            ::setrlimit(RLIMIT_NOFILE, &limit);
        });
        start(program, arguments, {});
        QVERIFY(program.waitForFinished(120000));
        QCOMPARE(program.exitCode(), 0);
        const QByteArray errors = program.readAllStandardError();
        QCOMPARE(errors.count('\n'), 1);
        QVERIFY2(errors.startsWith("orvanta: --jobs lowered from 100 to "), errors);
        QCOMPARE(QDir(path("out")).entryList(QDir::Files).size(), 2000);
    }

    // The option parser's forms, read by it alone: values after "=" or
    // joined to a short option, bundled flags, "--"; addresses and lists in
    // the order given, as their bytes.
    void optionForms() {
        const cli::Invocation invocation = cli::ParseCommandLine(
            {"orvanta", "--convert", "-e=a@x.org", "list", "-eb@x.org", "--address=c@x.org",
             "-o=dir", "-", "-qz", "-e", "\xfe@x.org", "--", "-e"});
        QCOMPARE(invocation.command, cli::Command::Convert);
        const QList<QByteArray> values{"a@x.org", "list",       "b@x.org", "c@x.org",
                                       "",        "\xfe@x.org", "-e"};
        const QList<cli::AddressSource::Kind> kinds{
            cli::AddressSource::Address,       cli::AddressSource::ListFile,
            cli::AddressSource::Address,       cli::AddressSource::Address,
            cli::AddressSource::StandardInput, cli::AddressSource::Address,
            cli::AddressSource::ListFile};
        QCOMPARE(invocation.sources.size(), values.size());
        for (qsizetype i = 0; i < values.size(); ++i) {
            QCOMPARE(invocation.sources[i].value, values[i]);
            QCOMPARE(invocation.sources[i].kind, kinds[i]);
        }
        QCOMPARE(invocation.outputFolder, QByteArray("dir"));
        QVERIFY(invocation.quiet && invocation.nulSeparated);
    }

    // Arguments are bytes: a list file whose name is not UTF-8 is read, and
    // an --address that is not UTF-8 is read as Windows-1252, as a list line is.
    void argumentsInAnyEncoding() {
        const QByteArray list = QFile::encodeName(path("l")) + "\xfe.txt";
        const int fd = ::open(list.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, "x@y.org\n", 8), 8);
        ::close(fd);
        // Qt cannot name it to remove it with the temporary folder.
        const auto remove = qScopeGuard([&] { ::unlink(list.constData()); });
        QProcess shell;
        start(
            shell,
            {"-c",
             R"sh(exec "$0" --convert --print -o "$1" "$2$(printf '\376.txt')" -e "$(printf 'caf\351@x.org')")sh",
             ORVANTA_PROGRAM, path("out"), path("l")},
            {}, "/bin/sh");
        QVERIFY(shell.waitForFinished(60000));
        QCOMPARE(shell.readAllStandardError(), QByteArray());
        QCOMPARE(shell.readAllStandardOutput(),
                 out("x@y.org.jpg") + '\n' + out("caf\u00e9@x.org.jpg") + '\n');
    }

    void helpFailsWhenItCannotBeWritten() {
        QProcess program;
        program.setStandardOutputFile("/dev/full");
        start(program, {"--help"}, {});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 2);
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
