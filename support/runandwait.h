#pragma once

#include <QString>
#include <QStringList>

namespace support {

class ChildProcess;
class ProgressDisplay;

// What RunAndWait answers, besides an exit status of 0 to 255.
// A process killed by signal s gives -s (-1 to -64).
constexpr int kStartFailureBase = -2147221504; // 0x80040000; + errno when the start failed
constexpr int kStatusLost = -2147483647 - 1;   // INT_MIN: something else reaped the process

// Starts `program` with `arguments` (no shell: each argument arrives as one,
// quotes and spaces included) and waits for its end while the window stays
// responsive; the end is noticed at once (within a millisecond where the
// kernel offers no pidfd). Returns the exit status, or see above.
//
// With a bar, a 100 ms tick keeps it alive while the program runs long (see
// waitingprogress.h); `caption` and `startValue` are what the bar shows before
// the call, `count` the number of items of the whole job. At the end the bar
// gets `caption` back ("Progress Bar" when it is empty). A program that cannot
// start leaves the bar untouched. Without a bar nothing but the wait happens.
//
// With a `workingFolder` descriptor, the program starts in that folder (see
// ChildProcess).
//
// Needs a Qt application object: the wait is a local event loop. If the
// application quits meanwhile, the rest of the wait blocks.
int RunAndWait(const QString& program, const QStringList& arguments, ProgressDisplay* bar,
               const QString& caption, qint32 startValue, qint32 count, int workingFolder = -1);

// RunAndWait's wait, for a process already started: answers as RunAndWait
// does, a failed start included.
int WaitForChild(ChildProcess& child, ProgressDisplay* bar, const QString& caption,
                 qint32 startValue, qint32 count);

// True when RunAndWait's answer says the program could not be started.
constexpr bool IsStartFailure(int result) {
    return result >= kStartFailureBase && result < kStartFailureBase + 65536;
}

// One line for a report: "ended with status 3", "could not be started: ...".
QString DescribeRunResult(int result);

} // namespace support
