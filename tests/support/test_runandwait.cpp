// RunAndWait, and what the bar shows while a program runs long.
#include "fixture.h"

#include <support/progressdisplay.h>
#include <support/runandwait.h>
#include <support/waitingprogress.h>

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>

using support::DescribeRunResult;
using support::RunAndWait;
using support::WaitingCaption;
using support::WaitingValue;

Q_DECLARE_METATYPE(QList<double>)

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

// Runs the script without a bar; its arguments start at $0.
int runShell(const QString& script, const QStringList& arguments = {}) {
    return RunAndWait("sh", QStringList{"-c", script} + arguments, nullptr, QString(), 0, 1);
}

// From here on pidfd_open fails in this thread, as on older kernels and in
// some sandboxes.
bool denyPidfd() {
    struct sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_pidfd_open, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSYS),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    struct sock_fprog program = {sizeof filter / sizeof filter[0], filter};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

} // namespace

class TestRunAndWait : public QObject {
    Q_OBJECT
private slots:
    void quickProcess_onlyPutsCaptionBack_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("after");
        QTest::newRow("caption") << QString("Processing: a@b.c") << QString("Processing: a@b.c");
        QTest::newRow("empty caption") << QString() << QString("Progress Bar");
    }
    void quickProcess_onlyPutsCaptionBack() {
        QFETCH(QString, caption);
        QFETCH(QString, after);
        RecordingBar bar(caption);
        QCOMPARE(RunAndWait("true", {}, &bar, caption, 40, 5), 0);
        QCOMPARE(bar.captions, QStringList{after});
        QVERIFY(bar.values.isEmpty());
    }

    // The one slow test: past the 50th tick the caption counts, the value moves
    // once, and the window's own timers keep firing meanwhile. The program
    // ends only once the count has begun, however slowly the machine ticks.
    void longProcess_countsTicksInCaption_whileEventsRun() {
        const QString caption = QStringLiteral("Processing: a@b.c");
        RecordingBar bar(caption);
        QTemporaryDir dir;
        const QString counted = dir.filePath("counted");
        QStringList seen;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, this, [&] {
            seen.append(bar.caption());
            if (bar.caption() == caption + ", Please wait.. 1")
                fixture::writeFile(counted, "");
        });
        sampler.start(20);

        QCOMPARE(RunAndWait("sh", {"-c", "until [ -e \"$0\" ]; do sleep 0.05; done", counted}, &bar,
                            caption, 10, 10),
                 0);

        QCOMPARE(seen.first(), caption);
        QCOMPARE(bar.captions.takeLast(), caption);
        QVERIFY(bar.captions.size() >= 2);
        for (int i = 0; i < bar.captions.size(); ++i)
            QCOMPARE(bar.captions.at(i), caption + QString(", Please wait.. %1").arg(i));
        QCOMPARE(bar.values, QList<double>{10});
    }

    void waitingValue_stepsThenStopsAtItsShare_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<double>>("expected"); // at ticks 50, 200, 350, ...
        QTest::newRow("ten items, from 10")
            << 10 << 10 << QList<double>{10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 19, 19};
        QTest::newRow("four items, step 2.5 rounds to 2")
            << 4 << 25 << QList<double>{25, 27, 29, 31, 33, 35, 37, 39, 41, 43, 45, 47, 48, 48};
        QTest::newRow("one item") << 1 << 0
                                  << QList<double>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 90};
        QTest::newRow("200 items, step 0") << 200 << 0 << QList<double>{0, 0, 0};
        QTest::newRow("zero items counts as one") << 0 << 0 << QList<double>{0, 10, 20};
    }
    void waitingValue_stepsThenStopsAtItsShare() {
        QFETCH(int, count);
        QFETCH(int, start);
        QFETCH(QList<double>, expected);
        QList<double> values;
        for (int step = 0; step < expected.size(); ++step)
            values.append(WaitingValue(50 + 150 * step, start, count).value_or(-1));
        QCOMPARE(values, expected);
        for (const qint64 tick : {1, 49, 51, 199, 201})
            QVERIFY2(!WaitingValue(tick, start, count), qPrintable(QString::number(tick)));
    }

    // The long run above sees the counting itself.
    void waitingCaption_startsAtTheFiftiethTick() {
        QVERIFY(!WaitingCaption("Processing: a@b.c", 49));
        QCOMPARE(*WaitingCaption("Processing: a@b.c", 50), "Processing: a@b.c, Please wait.. 0");
        QCOMPARE(*WaitingCaption(QString(), 50), "Please wait.. 0");
    }

    void endOfTheProgram_isPassedThrough() {
        QCOMPARE(runShell("exit 7"), 7);
        QCOMPARE(runShell("exit 255"), 255);
        QCOMPARE(runShell("kill -TERM $$"), -SIGTERM);
        QVERIFY(DescribeRunResult(-SIGTERM).contains("signal 15"));
    }

    void startFailure_givesErrnoOffset_leavesBarAlone_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("error");
        QTest::newRow("missing") << "missing" << ENOENT;
        QTest::newRow("not executable") << "plain.sh" << EACCES;
    }
    void startFailure_givesErrnoOffset_leavesBarAlone() {
        QFETCH(QString, name);
        QFETCH(int, error);
        QTemporaryDir dir;
        QVERIFY(fixture::writeFile(dir.filePath("plain.sh"), "#!/bin/sh\n"));
        RecordingBar bar("before");
        const int result = RunAndWait(dir.filePath(name), {}, &bar, "before", 0, 1);
        QCOMPARE(result, support::kStartFailureBase + error);
        QVERIFY(bar.captions.isEmpty() && bar.values.isEmpty());
        QVERIFY(DescribeRunResult(result).startsWith("could not be started"));
    }

    void arguments_arriveOneByOne_unsplit() {
        QTemporaryDir dir;
        const QString out = dir.filePath("args.txt");
        const QStringList arguments{"a b", "\"quoted\" 'too'", "$HOME", "x; touch y", "é@ü.de", ""};
        QCOMPARE(runShell("printf '%s\\n' \"$@\" > \"$0\"", QStringList{out} + arguments), 0);
        QCOMPARE(QString::fromUtf8(fixture::contents(out)), arguments.join(u'\n') + u'\n');
    }

    // The child sees neither our descriptors nor our stdin nor our process
    // group (a terminal's Ctrl-C), and after the call no child is left to
    // reap and no descriptor of ours stays open.
    void childGetsNoDescriptorsNorGroup_andNothingIsLeftBehind() {
        const int unrelated = ::open("/dev/null", O_RDONLY); // deliberately inheritable
        QVERIFY(::dup2(unrelated, 50) == 50);
        const int before = fixture::openDescriptorCount();
        QCOMPARE(runShell("[ ! -e /proc/self/fd/50 ] && "
                          "[ \"$(readlink /proc/self/fd/0)\" = /dev/null ] && "
                          "set -- $(cat /proc/$$/stat) && [ \"$5\" = $$ ]"),
                 0);
        QVERIFY(RunAndWait("/no/such/tool", {}, nullptr, QString(), 0, 1) < 0);
        QCOMPARE(fixture::openDescriptorCount(), before);
        const pid_t reaped = ::waitpid(-1, nullptr, WNOHANG);
        const int error = errno;
        QCOMPARE(reaped, -1);
        QCOMPARE(error, ECHILD);
        ::close(50);
        ::close(unrelated);
    }

    // Last, as it cannot be undone.
    void withoutPidfd_eventsStillRun_andTheEndIsNoticed() {
        if (!denyPidfd())
            QSKIP("this kernel cannot filter system calls");
        QCOMPARE(::syscall(SYS_pidfd_open, ::getpid(), 0), -1L);
        int fired = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] { ++fired; });
        timer.start(10);
        QCOMPARE(runShell("sleep 0.3; exit 3"), 3);
        QVERIFY2(fired >= 10, qPrintable(QString::number(fired)));
        QCOMPARE(runShell("true"), 0);
    }
};

QTEST_GUILESS_MAIN(TestRunAndWait)
#include "test_runandwait.moc"
