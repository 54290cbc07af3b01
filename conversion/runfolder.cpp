#include "runfolder.h"

#include <support/failure.h>

#include <QFile>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace conversion {
namespace {

const QByteArray kPrefix = "orvanta-run-";
const char* const kLockName = "lock";
// A folder without its lock is a run just starting, or one killed while it
// started; only a folder untouched this long is taken for the latter.
constexpr time_t kStartingSeconds = 60;
constexpr int kOpenAttempts = 3;

int openFolderAt(int parent, const char* name) {
    return ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Deletes what stands in the folder (files; a sub-folder stays and so keeps
// the folder), then the folder itself.
void removeFolderAt(int parent, const char* name, int folder) {
    const int listed = ::dup(folder);
    if (DIR* entries = listed >= 0 ? ::fdopendir(listed) : nullptr) {
        while (const dirent* entry = ::readdir(entries))
            if (entry->d_type != DT_DIR)
                ::unlinkat(folder, entry->d_name, 0);
        ::closedir(entries);
    } else if (listed >= 0) {
        ::close(listed);
    }
    ::unlinkat(parent, name, AT_REMOVEDIR);
}

// A run folder of ours whose run is over: its lock can be taken (and is then
// held), or it never got one and has not changed for a while.
bool isDead(int folder, const struct stat& st, int* lock) {
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || (st.st_mode & 077) != 0)
        return false;
    *lock = ::openat(folder, kLockName, O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (*lock >= 0)
        return ::flock(*lock, LOCK_EX | LOCK_NB) == 0;
    return errno == ENOENT && st.st_mtime + kStartingSeconds < std::time(nullptr);
}

} // namespace

RunFolder::~RunFolder() {
    close();
}

void RunFolder::open(const QString& base) {
    close();
    RemoveDeadRunFolders(base);
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        QByteArray made = QFile::encodeName(base) + '/' + kPrefix + "XXXXXX";
        if (!::mkdtemp(made.data()))
            support::failErrno(QStringLiteral("Cannot make a run folder in"), base, errno);
        folder_ = openFolderAt(AT_FDCWD, made.constData());
        lock_ = folder_ < 0 ? -1
                            : ::openat(folder_, kLockName,
                                       O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        path_ = QFile::decodeName(made);
        // Another run sweeping at this very moment may take the fresh lock
        // first; it then removes the folder, and this run makes another.
        if (lock_ >= 0 && ::flock(lock_, LOCK_EX | LOCK_NB) == 0)
            return;
        const int error = errno;
        if (folder_ < 0)
            ::rmdir(made.constData());
        close();
        if (error != EWOULDBLOCK)
            support::failErrno(QStringLiteral("Cannot lock the run folder"), path_, error);
    }
    support::fail(QStringLiteral("Cannot lock a run folder in \"%1\"").arg(base));
}

void RunFolder::close() {
    if (folder_ >= 0) {
        const QByteArray native = QFile::encodeName(path_);
        removeFolderAt(AT_FDCWD, native.constData(), folder_);
        ::close(folder_);
        folder_ = -1;
    }
    if (lock_ >= 0) {
        ::close(lock_); // last, so no other run takes this folder for dead meanwhile
        lock_ = -1;
    }
}

void RemoveDeadRunFolders(const QString& base) {
    const int parent = openFolderAt(AT_FDCWD, QFile::encodeName(base).constData());
    DIR* entries = parent >= 0 ? ::fdopendir(::dup(parent)) : nullptr;
    if (!entries) {
        if (parent >= 0)
            ::close(parent);
        return;
    }
    while (const dirent* entry = ::readdir(entries)) {
        if (::strncmp(entry->d_name, kPrefix.constData(), kPrefix.size()) != 0)
            continue;
        const int folder = openFolderAt(parent, entry->d_name);
        struct stat st;
        int lock = -1;
        if (folder >= 0 && ::fstat(folder, &st) == 0 && isDead(folder, st, &lock))
            removeFolderAt(parent, entry->d_name, folder);
        if (lock >= 0)
            ::close(lock);
        if (folder >= 0)
            ::close(folder);
    }
    ::closedir(entries);
    ::close(parent);
}

} // namespace conversion
