#include "runandwait.h"

#include "childprocess.h"
#include "failure.h"
#include "progressdisplay.h"
#include "waitingprogress.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <cstring>
#include <optional>

namespace support {
namespace {

// Without a pidfd the end is looked for this often: short against a
// converter run, and a look costs one system call.
constexpr int kEndPollMs = 1;

// Runs the window's events until the process ends. The tick only exists when
// there is a bar to keep alive.
void WaitWhileResponsive(ChildProcess& child, ProgressDisplay* bar, const QString& caption,
                         qint32 startValue, qint32 count) {
    QEventLoop loop;
    QTimer tick;
    const auto stop = [&] {
        tick.stop();
        loop.quit();
    };
    std::optional<QSocketNotifier> ended;
    QTimer endPoll;
    if (child.endDescriptor() >= 0) {
        ended.emplace(child.endDescriptor(), QSocketNotifier::Read);
        // A pidfd stays readable once the process has ended; disabling the
        // notifier keeps it from firing on and on while a nested wait still runs.
        QObject::connect(&*ended, &QSocketNotifier::activated, &loop, [&] {
            ended->setEnabled(false);
            stop();
        });
    } else {
        QObject::connect(&endPoll, &QTimer::timeout, &loop, [&] {
            if (child.hasEnded()) {
                endPoll.stop();
                stop();
            }
        });
        endPoll.start(kEndPollMs);
    }

    qint64 ticks = 0;
    if (bar) {
        tick.setTimerType(Qt::PreciseTimer);
        QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
            ++ticks;
            if (const auto text = WaitingCaption(caption, ticks))
                bar->setCaption(*text);
            if (const auto value = WaitingValue(ticks, startValue, count))
                bar->setValue(*value);
        });
        tick.start(kWaitTickMs);
    }
    loop.exec();
}

} // namespace

int RunAndWait(const QString& program, const QStringList& arguments, ProgressDisplay* bar,
               const QString& caption, qint32 startValue, qint32 count, int workingFolder) {
    ChildProcess child(program, arguments, workingFolder);
    return WaitForChild(child, bar, caption, startValue, count);
}

int WaitForChild(ChildProcess& child, ProgressDisplay* bar, const QString& caption,
                 qint32 startValue, qint32 count) {
    if (child.startError() != 0)
        return kStartFailureBase + child.startError();
    WaitWhileResponsive(child, bar, caption, startValue, count);
    const int result = child.collect().value_or(kStatusLost);
    if (bar)
        bar->setCaption(CaptionAfterWait(caption));
    return result;
}

QString DescribeRunResult(int result) {
    if (result >= 0)
        return QStringLiteral("ended with status %1").arg(result);
    if (result == kStatusLost)
        return QStringLiteral("ended, status unknown");
    if (result >= -64)
        return QStringLiteral("was stopped by signal %1 (%2)")
            .arg(-result)
            .arg(QString::fromLocal8Bit(strsignal(-result)));
    return QStringLiteral("could not be started: %1")
        .arg(ErrorText(result - kStartFailureBase));
}

} // namespace support
