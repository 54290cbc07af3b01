// Times COUNT runs of one command by each named way of starting it and
// waiting, inside one process, optionally holding a heap as large as a
// 1,000,000-address list. The ways take turns run by run, so a machine that
// slows down mid-way slows all of them alike.
//
//   bench_runandwait WAY [WAY...] [--count N] [--big-heap] [-- PROGRAM ARGS...]
//   WAY: direct            posix_spawn + waitpid, nothing else (the floor)
//        runandwait        support::RunAndWait without a bar
//        withbar           support::RunAndWait with a bar (its tick timer armed)
//        qprocess          QProcess, end awaited in a local event loop
//        qprocess-closing  the same, closing the child's other descriptors
//   PROGRAM defaults to /bin/true.
//
// Prints, per way, the total and the median time of one run.

#include <support/progressdisplay.h>
#include <support/runandwait.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <numeric>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Command {
    QString program;
    QStringList arguments;
};

class SilentBar : public support::ProgressDisplay {
public:
    double value() const override { return value_; }
    void setValue(double percent) override { value_ = percent; }
    QString caption() const override { return caption_; }
    void setCaption(const QString& caption) override { caption_ = caption; }

private:
    double value_ = 0;
    QString caption_;
};

// The argument vector is built once: the floor should carry no Qt cost at all.
std::function<int()> directRunner(const Command& command) {
    auto encoded = std::make_shared<std::vector<QByteArray>>();
    encoded->push_back(QFile::encodeName(command.program));
    for (const QString& argument : command.arguments)
        encoded->push_back(QFile::encodeName(argument));
    auto argv = std::make_shared<std::vector<char*>>();
    for (QByteArray& item : *encoded)
        argv->push_back(item.data());
    argv->push_back(nullptr);
    return [encoded, argv] {
        pid_t pid;
        if (posix_spawn(&pid, (*argv)[0], nullptr, nullptr, argv->data(), environ) != 0)
            return -1;
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
}

// `closeOthers`: close the descriptors RunAndWait keeps from the child, the
// only way QProcess 6.4 offers (a child modifier).
int runQProcess(const Command& command, bool closeOthers) {
    QProcess process;
    if (closeOthers)
        process.setChildProcessModifier([] { ::close_range(3, ~0U, 0); });
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    process.start(command.program, command.arguments);
    if (!process.waitForStarted())
        return -1;
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

std::function<int()> runnerFor(const QString& way, const Command& command, SilentBar* bar) {
    if (way == QLatin1String("direct"))
        return directRunner(command);
    if (way == QLatin1String("runandwait"))
        return [command] {
            return support::RunAndWait(command.program, command.arguments, nullptr, QString(), 0,
                                       1);
        };
    if (way == QLatin1String("withbar"))
        return [command, bar] {
            return support::RunAndWait(command.program, command.arguments, bar,
                                       QStringLiteral("Processing: x"), 0, 1000);
        };
    if (way == QLatin1String("qprocess"))
        return [command] { return runQProcess(command, false); };
    if (way == QLatin1String("qprocess-closing"))
        return [command] { return runQProcess(command, true); };
    return {};
}

// Takes "--name value" out of `args`; `fallback` when it is not there.
QString takeOption(QStringList& args, const QString& name, const QString& fallback) {
    const int at = args.indexOf(name);
    if (at < 0 || at + 1 >= args.size())
        return fallback;
    const QString value = args.at(at + 1);
    args.remove(at, 2);
    return value;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    Command command{QStringLiteral("/bin/true"), {}};
    if (const int dashes = args.indexOf(QStringLiteral("--")); dashes >= 0) {
        const QStringList tail = args.mid(dashes + 1);
        args = args.mid(0, dashes);
        if (!tail.isEmpty())
            command = Command{tail.first(), tail.mid(1)};
    }
    const bool bigHeap = args.removeAll(QStringLiteral("--big-heap")) > 0;
    const int count = takeOption(args, QStringLiteral("--count"), QStringLiteral("1000")).toInt();
    if (args.isEmpty() || count < 1) {
        std::fprintf(stderr, "usage: see the top of bench_runandwait.cpp\n");
        return 2;
    }

    QStringList addresses;
    if (bigHeap) {
        addresses.reserve(1000000);
        for (int i = 0; i < 1000000; ++i)
            addresses.append(QStringLiteral("someone.%1@example.org").arg(i));
    }

    SilentBar bar;
    std::vector<std::function<int()>> runners;
    for (const QString& way : args) {
        runners.push_back(runnerFor(way, command, &bar));
        if (!runners.back()) {
            std::fprintf(stderr, "unknown way %s\n", qPrintable(way));
            return 2;
        }
    }

    std::vector<std::vector<qint64>> times(runners.size());
    int failures = 0;
    QElapsedTimer clock;
    for (int i = 0; i < count; ++i) {
        for (size_t way = 0; way < runners.size(); ++way) {
            clock.start();
            failures += runners[way]() != 0;
            times[way].push_back(clock.nsecsElapsed());
        }
    }

    for (size_t way = 0; way < runners.size(); ++way) {
        std::vector<qint64>& t = times[way];
        const double totalMs = std::accumulate(t.begin(), t.end(), qint64(0)) / 1e6;
        std::nth_element(t.begin(), t.begin() + t.size() / 2, t.end());
        std::printf("%-16s %s %d runs: total %8.1f ms, median %7.1f us per run\n",
                    qPrintable(args.at(int(way))), bigHeap ? "big heap  " : "small heap", count,
                    totalMs, t[t.size() / 2] / 1e3);
    }
    if (failures)
        std::fprintf(stderr, "%d runs did not end with status 0\n", failures);
    return failures ? 1 : 0;
}
