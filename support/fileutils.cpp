#include "fileutils.h"

#include "failure.h"
#include "pendingevents.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace support {
namespace {

constexpr int kSpecialFolderBufferSize = 512;

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

// Writes all of `data`, resuming after short writes and signals.
bool writeAll(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// Moves `from` to `to` in `folder` unless `to` exists; the kernel checks atomically.
int renameNoReplace(int folder, const QByteArray& from, const QByteArray& to) {
    if (::renameat2(folder, from.constData(), folder, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // File systems without RENAME_NOREPLACE: a hard link never replaces either.
    if (::linkat(folder, from.constData(), folder, to.constData(), 0) != 0)
        return errno;
    ::unlinkat(folder, from.constData(), 0);
    return 0;
}

// Creates a new file beside `target` under a name of its own (as mkostemp
// does, within a folder descriptor); the name chosen goes into `made`.
int createBeside(int folder, const QByteArray& target, QByteArray* made) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        *made = target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::openat(folder, made->constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

bool FileExists(const QString& path) {
    struct stat st;
    return !path.isEmpty() && ::stat(native(path).constData(), &st) == 0;
}

bool IsDirectory(const QString& path) {
    struct stat st;
    return !path.isEmpty() && ::stat(native(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

QString FileNameOf(const QString& path, QChar separator) {
    return path.mid(path.lastIndexOf(separator) + 1);
}

QString SpecialFolderBuffer(int folder) {
    if (folder != 0)
        return {};
    QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!IsDirectory(desktop))
        desktop = QDir::homePath(); // an account without a desktop folder
    if (desktop.isEmpty() || desktop.size() >= kSpecialFolderBufferSize)
        return {};
    QString buffer = desktop + QChar(0);
    return buffer.leftJustified(kSpecialFolderBufferSize, u' ');
}

QString DesktopFolder() {
    const QString buffer = SpecialFolderBuffer(0);
    const qsizetype end = buffer.lastIndexOf(QChar(0));
    if (end < 0)
        fail(QStringLiteral("Invalid procedure call or argument: the desktop folder is unknown"));
    return buffer.left(end) + u'/';
}

void WriteBytesIfMissing(const QByteArray& bytes, const FolderFile& file, mode_t mode) {
    ProcessPendingMessages();
    const QByteArray target = native(file.name);
    struct stat st;
    if (!file.name.isEmpty() && ::fstatat(file.folder, target.constData(), &st, 0) == 0)
        return;

    QByteArray temporary;
    const int fd = createBeside(file.folder, target, &temporary);
    if (fd < 0)
        failErrno(QStringLiteral("Cannot create a file beside"), file.shown, errno);

    int error = 0;
    // No fsync: the rename already keeps a half-written file from ever
    // carrying the name, and what a power cut leaves is never used again
    // (a dead run's folder is only removed). Syncing would cost a site build
    // that runs the program once per address more than the image itself.
    if (!writeAll(fd, bytes.constData(), bytes.size()) || ::fchmod(fd, mode) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0)
        error = renameNoReplace(file.folder, temporary, target);
    if (error == 0)
        return;

    ::unlinkat(file.folder, temporary.constData(), 0);
    if (error == EEXIST &&
        ::fstatat(file.folder, target.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(st.st_mode))
        return; // made meanwhile by someone else: left as it is, like any existing file
    failErrno(QStringLiteral("Cannot write"), file.shown, error);
}

void WriteTextFile(const QString& text, const FolderFile& file) {
    // Non-blocking, so a named pipe with no reader cannot hold the window;
    // truncated only once it is known to be a regular file.
    const int fd = ::openat(file.folder, native(file.name).constData(),
                            O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0 && errno == ELOOP)
        fail(QStringLiteral("Cannot write \"%1\": it is a symbolic link").arg(file.shown));
    if (fd < 0 && errno == ENXIO)
        fail(QStringLiteral("Cannot write \"%1\": it is a named pipe").arg(file.shown));
    if (fd < 0)
        failErrno(QStringLiteral("Cannot write"), file.shown, errno);
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        fail(QStringLiteral("Cannot write \"%1\": it is not a regular file").arg(file.shown));
    }

    // Truncating an empty file is skipped: ext4 would then start writing the
    // file back at the close, some milliseconds for every image on disk.
    const QByteArray line = text.toUtf8() + "\r\n";
    int error =
        (st.st_size == 0 || ::ftruncate(fd, 0) == 0) && writeAll(fd, line.constData(), line.size())
            ? 0
            : errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        failErrno(QStringLiteral("Cannot write"), file.shown, error);
}

void RemoveFile(const FolderFile& file) {
    ProcessPendingMessages();
    // A read-only file needs no second attempt here: unlinking depends on the folder.
    if (!file.name.isEmpty())
        ::unlinkat(file.folder, native(file.name).constData(), 0);
}

} // namespace support
