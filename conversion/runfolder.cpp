#include "runfolder.h"

#include <support/failure.h>

#include <QFile>
#include <QList>

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
// Each attempt loses only to a sweep that lands in the instant between
// making the lock and taking it; many runs starting at once may lose a few.
constexpr int kOpenAttempts = 100;

// The run folders open in this program, for closeAllOpen.
QList<RunFolder*>& openFolders() {
    static QList<RunFolder*> folders;
    return folders;
}

int openFolderAt(int parent, const char* name) {
    return ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Deletes what stands in the folder (files; a sub-folder stays and so keeps
// the folder). Takes `folder` over and closes it: listing needs no further
// descriptor, so that a program short of them still leaves nothing behind.
void emptyFolder(int folder) {
    if (DIR* entries = ::fdopendir(folder)) {
        while (const dirent* entry = ::readdir(entries))
            if (entry->d_type != DT_DIR)
                ::unlinkat(folder, entry->d_name, 0);
        ::closedir(entries);
    } else {
        ::unlinkat(folder, kLockName, 0);
        ::close(folder);
    }
}

void removeFolderAt(int parent, const char* name, int folder) {
    emptyFolder(folder);
    ::unlinkat(parent, name, AT_REMOVEDIR);
}

bool isSameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The name `folder` has in `parent` now, which is not the one it was made
// with when it was renamed since; empty when it is no longer there.
QByteArray currentName(int parent, const QByteArray& madeAs, const struct stat& folder) {
    struct stat st;
    if (::fstatat(parent, madeAs.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
        isSameFile(st, folder))
        return madeAs;
    const int listed = ::dup(parent);
    DIR* entries = listed >= 0 ? ::fdopendir(listed) : nullptr;
    if (!entries) {
        if (listed >= 0)
            ::close(listed);
        return {};
    }
    QByteArray found;
    while (const dirent* entry = ::readdir(entries))
        if (entry->d_ino == folder.st_ino &&
            ::fstatat(parent, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            isSameFile(st, folder)) {
            found = entry->d_name;
            break;
        }
    ::closedir(entries);
    return found;
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

// Whether the lock just taken is still the folder's: a sweep may have taken
// it first and deleted it, and a lock on a deleted file guards nothing.
bool isLinked(int fd) {
    struct stat st;
    return ::fstat(fd, &st) == 0 && st.st_nlink > 0;
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
        path_ = QFile::decodeName(made);
        name_ = made.mid(made.lastIndexOf('/') + 1);
        folder_ = openFolderAt(AT_FDCWD, made.constData());
        struct stat st;
        if (folder_ >= 0 &&
            (::fstat(folder_, &st) != 0 || st.st_uid != ::geteuid() || (st.st_mode & 077) != 0)) {
            // Swapped for someone else's between making and opening: not ours to remove.
            ::close(folder_);
            folder_ = -1;
            support::fail(QStringLiteral("Cannot use the run folder \"%1\": another user "
                                         "replaced it")
                              .arg(path_));
        }
        lock_ = folder_ < 0 ? -1
                            : ::openat(folder_, kLockName,
                                       O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (lock_ >= 0 && ::flock(lock_, LOCK_EX | LOCK_NB) == 0 && isLinked(lock_)) {
            openFolders().append(this);
            return;
        }
        // A sweep that took the fresh lock first removes the folder (or has
        // removed it); this run then makes another.
        const int error = lock_ >= 0 ? EWOULDBLOCK : errno;
        if (folder_ < 0)
            ::rmdir(made.constData());
        close();
        if (error != EWOULDBLOCK)
            support::failErrno(QStringLiteral("Cannot lock the run folder"), path_, error);
    }
    support::fail(QStringLiteral("Cannot lock a run folder in \"%1\"").arg(base));
}

void RunFolder::close() {
    openFolders().removeOne(this);
    if (folder_ >= 0) {
        // Removed from the folder it stands in now, found through its own
        // descriptor: neither a relative TEMP after a change of directory nor
        // a folder renamed or moved meanwhile leaves it behind.
        struct stat folder;
        const bool known = ::fstat(folder_, &folder) == 0;
        const int parent = ::openat(folder_, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        emptyFolder(folder_);
        folder_ = -1;
        if (parent >= 0) {
            const QByteArray name = known ? currentName(parent, name_, folder) : QByteArray();
            if (!name.isEmpty())
                ::unlinkat(parent, name.constData(), AT_REMOVEDIR);
            ::close(parent);
        } else if (known) { // short of descriptors: the path it was made at, if still its
            const QByteArray native = QFile::encodeName(path_);
            struct stat st;
            if (::lstat(native.constData(), &st) == 0 && isSameFile(st, folder))
                ::rmdir(native.constData());
        }
    }
    if (lock_ >= 0) {
        ::close(lock_); // last, so no other run takes this folder for dead meanwhile
        lock_ = -1;
    }
}

void RunFolder::closeAllOpen() {
    while (!openFolders().isEmpty())
        openFolders().first()->close();
}

void RemoveDeadRunFolders(const QString& base) {
    const int parent = openFolderAt(AT_FDCWD, QFile::encodeName(base).constData());
    DIR* entries = parent >= 0 ? ::fdopendir(parent) : nullptr;
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
        else if (folder >= 0)
            ::close(folder);
        if (lock >= 0)
            ::close(lock);
    }
    ::closedir(entries);
}

} // namespace conversion
