// The program as a shell, a terminal or a server meets it. Signals sent to a
// running --convert: each ends the program between two images, with the
// run's folder removed, unless it was ignored when the program started. And
// the window asked for where there is no display.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

class FromAShellTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }
    int images() const { return int(QDir(path("out")).entryList(QDir::Files).size()); }
    QStringList leftInTemp() const {
        return QDir(path("temp")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

    // A long run, started with `prepare` run in the child before the program.
    void startLongRun(QProcess& program, const std::function<void()>& prepare) {
        QByteArray addresses;
        for (int i = 0; i < 5000; ++i)
            addresses += "u" + QByteArray::number(i) + "@x.org\n";
        QProcessEnvironment environment;
        environment.insert("PATH", qEnvironmentVariable("PATH"));
        environment.insert("TEMP", path("temp"));
        program.setProcessEnvironment(environment);
        program.setChildProcessModifier(prepare);
        program.start(ORVANTA_PROGRAM, {"--convert", "-o", path("out")});
        program.write(addresses);
        program.closeWriteChannel();
    }

private slots:
    void init() {
        QDir(path("out")).removeRecursively();
        QDir().mkpath(path("out"));
        QDir().mkpath(path("temp"));
    }

    // nohup, or a script's background job, where SIGINT starts ignored.
    void ignoredSignals_stayIgnored() {
        QProcess program;
        startLongRun(program, [] {
            std::signal(SIGHUP, SIG_IGN);
            std::signal(SIGINT, SIG_IGN);
        });
        QTRY_VERIFY_WITH_TIMEOUT(images() > 0, 30000);
        ::kill(program.processId(), SIGHUP);
        ::kill(program.processId(), SIGINT);
        const int before = images();
        QTRY_VERIFY_WITH_TIMEOUT(images() > before + 2, 30000);
        QCOMPARE(program.state(), QProcess::Running);
        program.terminate();
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), SIGTERM);
        QCOMPARE(leftInTemp(), QStringList());
    }

    // Ctrl-C reaches the terminal's whole foreground group; the converter,
    // in a group of its own, finishes its image and nothing is reported.
    void ctrlC_stopsBetweenImages_reportingNoFailure() {
        QProcess program;
        startLongRun(program, [] { ::setpgid(0, 0); });
        QTRY_VERIFY_WITH_TIMEOUT(images() > 0, 30000);
        ::kill(-pid_t(program.processId()), SIGINT);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::CrashExit);
        QCOMPARE(program.exitCode(), SIGINT);
        QCOMPARE(program.readAllStandardError(), QByteArray());
        QCOMPARE(leftInTemp(), QStringList());
    }

    // orvanta --convert ... 2>&1 | head -c1
    void closedPipe_stopsLikeTermination() {
        QFile list(path("list.txt"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        for (int i = 0; i < 5000; ++i)
            list.write("../u" + QByteArray::number(i) + "@x.org\n"); // each one a message
        list.close();
        QProcess shell;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TEMP", path("temp"));
        shell.setProcessEnvironment(environment);
        shell.start("bash", {"-c",
                             "\"$0\" --convert -o \"$1\" \"$2\" 2>&1 | head -c1 >/dev/null; "
                             "echo \"${PIPESTATUS[0]}\"",
                             ORVANTA_PROGRAM, path("out"), path("list.txt")});
        QVERIFY(shell.waitForFinished(60000));
        QCOMPARE(shell.readAllStandardOutput().trimmed(), QByteArray::number(128 + SIGPIPE));
        QCOMPARE(leftInTemp(), QStringList());
    }

    // Each stop signal at each moment of a run ends it by that signal: while
    // it waits for a named pipe's writer, while it draws, and in -a before
    // the one image is written (the image from before stays as it was).
    // Nothing is left half made, nothing in TEMP.
    void stopSignals_endTheRunAtAnyMoment() {
        QByteArray manyAddresses;
        for (int i = 0; i < 5000; ++i)
            manyAddresses += "u" + QByteArray::number(i) + "@x.org\n";
        QCOMPARE(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
            for (const QString moment : {"waiting", "drawing", "whole list"}) {
                init();
                QFile earlier(path("out/Orvanta_Result.png"));
                QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("old") == 3);
                earlier.close();
                QProcess program;
                QProcessEnvironment environment;
                environment.insert("TEMP", path("temp"));
                program.setProcessEnvironment(environment);
                const QStringList common{"--convert", "-f", "png", "-o", path("out")};
                if (moment == "waiting") {
                    program.start(ORVANTA_PROGRAM, common + QStringList{path("fifo")});
                    QVERIFY(program.waitForStarted());
                    QTest::qWait(200);
                } else if (moment == "drawing") {
                    program.start(ORVANTA_PROGRAM, common + QStringList{"-j", "2"});
                    program.write(manyAddresses);
                    program.closeWriteChannel();
                    QTRY_VERIFY_WITH_TIMEOUT(images() > 2, 30000);
                } else {
                    program.start(ORVANTA_PROGRAM, common + QStringList{"-a"});
                    program.write(manyAddresses); // the list still open
                    QTest::qWait(200);
                }
                ::kill(program.processId(), signal);
                QVERIFY2(program.waitForFinished(30000), qPrintable(moment));
                QCOMPARE(program.exitStatus(), QProcess::CrashExit);
                QCOMPARE(program.exitCode(), signal);
                QCOMPARE(
                    QDir(path("out")).entryList(QDir::Hidden | QDir::Files).filter("txt2image"),
                    QStringList());
                QFile kept(path("out/Orvanta_Result.png"));
                QVERIFY(kept.open(QIODevice::ReadOnly));
                QCOMPARE(kept.readAll(), QByteArray("old"));
                QCOMPARE(leftInTemp(), QStringList());
            }
        }
    }

    void windowWithoutDisplay_saysSoInOneLine() {
        QProcess program;
        QProcessEnvironment environment;
        environment.insert("PATH", qEnvironmentVariable("PATH"));
        program.setProcessEnvironment(environment);
        program.start(ORVANTA_PROGRAM, {});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        const QByteArray said = program.readAllStandardError();
        QVERIFY2(said.count('\n') == 1 && said.contains("no display") && said.contains("--convert"),
                 said);
    }
};

QTEST_GUILESS_MAIN(FromAShellTest)
#include "test_fromashell.moc"
