#include "childprocess.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace support {
namespace {

// The descriptors and signal state the child starts with; see the class comment.
class SpawnSetup {
public:
    explicit SpawnSetup(int workingFolder) {
        posix_spawn_file_actions_init(&actions);
        if (workingFolder >= 0)
            posix_spawn_file_actions_addfchdir_np(&actions, workingFolder);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);

        // A blocked or ignored signal would otherwise be inherited across exec.
        // Only a terminal's Ctrl-C and hang-up stay blocked: sent to the
        // caller's group in the instant before the child leaves it, they
        // would wait for the exec and end the child, while the caller is the
        // one that answers them.
        posix_spawnattr_init(&attributes);
        sigset_t terminalOnes;
        sigemptyset(&terminalOnes);
        sigaddset(&terminalOnes, SIGINT);
        sigaddset(&terminalOnes, SIGHUP);
        posix_spawnattr_setsigmask(&attributes, &terminalOnes);
        sigset_t toDefault;
        sigemptyset(&toDefault);
        sigaddset(&toDefault, SIGPIPE);
        posix_spawnattr_setsigdefault(&attributes, &toDefault);
        // A process group of its own: a terminal's Ctrl-C then reaches only
        // the caller, which decides when to stop.
        posix_spawnattr_setpgroup(&attributes, 0);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF |
                                                  POSIX_SPAWN_SETPGROUP);
    }
    ~SpawnSetup() {
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
};

} // namespace

ChildProcess::ChildProcess(const QString& program, const QStringList& arguments,
                           int workingFolder) {
    std::vector<QByteArray> encoded;
    encoded.reserve(static_cast<size_t>(arguments.size()) + 1);
    encoded.push_back(QFile::encodeName(program));
    for (const QString& argument : arguments)
        encoded.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    argv.reserve(encoded.size() + 1);
    for (QByteArray& item : encoded)
        argv.push_back(item.data());
    argv.push_back(nullptr);

    const SpawnSetup setup(workingFolder);
    startError_ =
        posix_spawnp(&pid_, argv[0], &setup.actions, &setup.attributes, argv.data(), environ);
    if (startError_ != 0) {
        pid_ = -1;
        return;
    }
    // The pid cannot be reused before we reap it, so opening it late is safe.
    // (Debian 12's <sys/pidfd.h> lacks extern "C", hence the raw call.)
    pidfd_ = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0)
        collect();
}

bool ChildProcess::hasEnded() {
    if (pid_ <= 0)
        return true;
    int status = 0;
    const pid_t result = ::waitpid(pid_, &status, WNOHANG);
    if (result == 0 || (result < 0 && errno == EINTR))
        return false;
    status_ = reaped(result, status);
    return true;
}

std::optional<int> ChildProcess::collect() {
    if (pid_ <= 0)
        return status_; // never waitpid(-1): that would reap someone else's child
    int status = 0;
    pid_t result;
    do
        result = ::waitpid(pid_, &status, 0);
    while (result < 0 && errno == EINTR);
    return status_ = reaped(result, status);
}

std::optional<int> ChildProcess::reaped(pid_t result, int status) {
    pid_ = -1;
    if (pidfd_ >= 0) {
        ::close(pidfd_);
        pidfd_ = -1;
    }
    if (result < 0)
        return std::nullopt;
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

} // namespace support
