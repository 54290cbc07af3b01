#include <support/progressdisplay.h>
#include <support/runandwait.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using support::RunAndWait;

namespace {

// Remembers every write, so a test sees what the routine did to the bar.
class RecordingBar : public support::ProgressDisplay {
public:
    explicit RecordingBar(const QString& caption) : caption_(caption) {}
    double value() const override { return value_; }
    void setValue(double percent) override { values.append(value_ = percent); }
    QString caption() const override { return caption_; }
    void setCaption(const QString& caption) override { captions.append(caption_ = caption); }

    QStringList captions;
    QList<double> values;

private:
    double value_ = 0;
    QString caption_;
};

int runShell(const QString& script, const QStringList& arguments = {}) {
    return RunAndWait(QStringLiteral("sh"), QStringList{QStringLiteral("-c"), script} + arguments,
                      nullptr, QString(), 0, 1);
}

int openDescriptorCount() {
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::System).size();
}

} // namespace

class TestRunAndWait : public QObject {
    Q_OBJECT
private slots:
    void quickProcess_onlyPutsCaptionBack_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("after");
        QTest::newRow("caption") << "Processing: a@b.c"
                                 << "Processing: a@b.c";
        QTest::newRow("empty caption") << ""
                                       << "Progress Bar";
    }
    void quickProcess_onlyPutsCaptionBack() {
        QFETCH(QString, caption);
        QFETCH(QString, after);
        RecordingBar bar(caption);
        QCOMPARE(RunAndWait(QStringLiteral("true"), {}, &bar, caption, 40, 5), 0);
        QCOMPARE(bar.captions, QStringList{after});
        QVERIFY(bar.values.isEmpty());
    }

    // The one slow test: past the 50th tick the caption counts, the value moves
    // once, and the window's own timers keep firing meanwhile.
    void longProcess_countsTicksInCaption_whileEventsRun() {
        const QString caption = QStringLiteral("Processing: a@b.c");
        RecordingBar bar(caption);
        QStringList seen;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, this, [&] { seen.append(bar.caption()); });
        sampler.start(20);

        QCOMPARE(
            RunAndWait(QStringLiteral("sleep"), {QStringLiteral("5.8")}, &bar, caption, 10, 10), 0);

        QVERIFY2(seen.size() > 50, qPrintable(QString::number(seen.size())));
        QCOMPARE(seen.first(), caption);
        QVERIFY(seen.contains(caption + QStringLiteral(", Please wait.. 1")));
        QCOMPARE(bar.captions.takeLast(), caption);
        QVERIFY(bar.captions.size() >= 2);
        for (int i = 0; i < bar.captions.size(); ++i)
            QCOMPARE(bar.captions.at(i), caption + QStringLiteral(", Please wait.. %1").arg(i));
        QCOMPARE(bar.values, QList<double>{10});
    }

    void exitStatus_passedThrough() {
        for (const int status : {0, 7, 255})
            QCOMPARE(runShell(QStringLiteral("exit %1").arg(status)), status);
    }

    void killedBySignal_givesMinusSignal() {
        const int result = runShell(QStringLiteral("kill -TERM $$"));
        QCOMPARE(result, -SIGTERM);
        QVERIFY(support::DescribeRunResult(result).contains(QStringLiteral("signal 15")));
    }

    void startFailure_givesErrnoOffset_leavesBarAlone_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("error");
        QTest::newRow("missing") << "missing" << ENOENT;
        QTest::newRow("not executable") << "plain.txt" << EACCES;
        QTest::newRow("folder") << "folder" << EACCES;
    }
    void startFailure_givesErrnoOffset_leavesBarAlone() {
        QFETCH(QString, name);
        QFETCH(int, error);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        QFile plain(dir.filePath(QStringLiteral("plain.txt")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("#!/bin/sh\n");
        plain.close();

        RecordingBar bar(QStringLiteral("before"));
        const int result = RunAndWait(dir.filePath(name), {}, &bar, QStringLiteral("before"), 0, 1);
        QCOMPARE(result, support::kStartFailureBase + error);
        QVERIFY(bar.captions.isEmpty() && bar.values.isEmpty());
        QVERIFY(
            support::DescribeRunResult(result).startsWith(QStringLiteral("could not be started")));
    }

    void arguments_arriveOneByOne_unsplit() {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("args.txt"));
        const QStringList arguments{QStringLiteral("a b"),    QStringLiteral("\"quoted\" 'too'"),
                                    QStringLiteral("$HOME"),  QStringLiteral("x; touch y"),
                                    QStringLiteral("é@ü.de"), QString()};
        QCOMPARE(runShell(QStringLiteral("printf '%s\\n' \"$@\" > \"$0\""),
                          QStringList{out} + arguments),
                 0);
        QFile written(out);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(written.readAll()), arguments.join(u'\n') + u'\n');
    }

    // The child sees neither our descriptors nor our stdin, and after the call
    // no child is left to reap and no descriptor of ours stays open.
    void childGetsNoDescriptors_andNothingIsLeftBehind() {
        const int unrelated = ::open("/dev/null", O_RDONLY); // deliberately inheritable
        QVERIFY(::dup2(unrelated, 50) == 50);
        const int before = openDescriptorCount();

        QCOMPARE(
            runShell(QStringLiteral(
                "[ ! -e /proc/self/fd/50 ] && [ \"$(readlink /proc/self/fd/0)\" = /dev/null ]")),
            0);
        QVERIFY(RunAndWait(QStringLiteral("/no/such/tool"), {}, nullptr, QString(), 0, 1) < 0);

        QCOMPARE(openDescriptorCount(), before);
        const pid_t reaped = ::waitpid(-1, nullptr, WNOHANG);
        const int error = errno;
        QCOMPARE(reaped, -1);
        QCOMPARE(error, ECHILD);
        ::close(50);
        ::close(unrelated);
    }
};

QTEST_GUILESS_MAIN(TestRunAndWait)
#include "test_runandwait.moc"
