#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <sys/types.h>

namespace support {

// One program started without a shell, with its arguments as given. Starting
// uses posix_spawn (vfork-like: no copy of the caller's page tables, however
// large its heap), and the end is watched through a pidfd, a descriptor that
// turns readable the moment the process ends, so an event loop can wait on it.
// (QProcess starts a little faster, as glibc's posix_spawn resets every signal
// in the child, but it cannot tell why a start failed: no errno.)
//
// The child gets the caller's environment, stdout and stderr; stdin reads
// /dev/null and no other descriptor of the caller reaches it. It starts in a
// process group of its own, with SIGINT and SIGHUP blocked, so that a
// terminal's Ctrl-C or hang-up reaches only the caller.
class ChildProcess {
public:
    // Starts `program`, looked up in PATH when it names no folder. With a
    // `workingFolder` descriptor the child starts in that folder, where a
    // relative `program` and relative arguments are then found, however the
    // folder's path has been renamed since it was opened.
    ChildProcess(const QString& program, const QStringList& arguments, int workingFolder = -1);
    // Collects the process if nobody did, waiting for its end: no zombie stays.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // 0 once started; otherwise the errno of the failed start (ENOENT, EACCES...).
    int startError() const { return startError_; }

    // Readable once the process has ended; -1 when the kernel (or a sandbox)
    // offers no pidfd, and then `hasEnded` tells.
    int endDescriptor() const { return pidfd_; }

    // Reaps the process if it has ended, without waiting.
    bool hasEnded();

    // Waits for the end if need be and reaps the process. Returns the exit
    // status (0-255), or minus the signal number for a process killed by a
    // signal; nothing when the status was reaped elsewhere or there is no
    // process. Call it once, after a successful start.
    std::optional<int> collect();

private:
    // Takes the status out of what waitpid answered.
    std::optional<int> reaped(pid_t result, int status);

    pid_t pid_ = -1;
    std::optional<int> status_;
    int pidfd_ = -1;
    int startError_ = 0;
};

} // namespace support
