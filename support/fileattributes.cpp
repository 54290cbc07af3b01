#include "fileattributes.h"

#include "failure.h"

#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace support {
namespace {

// A folder-list entry ends with "/", which would make lstat follow a link.
QString withoutTrailingSlashes(QString path) {
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

[[noreturn]] void failToRead(const QString& path, int error) {
    failErrno(QStringLiteral("Cannot read the attributes of"), path, error);
}

constexpr int kGone = -1;

// The value for `name` (relative to `folder`, or a whole path with AT_FDCWD),
// given the file type of the name itself, not following a link; kGone when
// the name has gone since that type was read.
int attributesOf(int folder, const char* name, mode_t ownType, bool hidden) {
    int attributes = hidden ? HiddenAttribute : 0;
    mode_t targetType = ownType;
    if (S_ISLNK(ownType)) {
        attributes |= ReparsePointAttribute;
        struct stat target;
        // A dangling link is a link and nothing else.
        targetType = ::fstatat(folder, name, &target, 0) == 0 ? target.st_mode : 0;
    }
    if (S_ISDIR(targetType))
        attributes |= DirectoryAttribute;
    if (S_ISREG(targetType))
        attributes |= ArchiveAttribute;
    if (targetType != 0 && ::faccessat(folder, name, W_OK, AT_EACCESS) != 0) {
        if (errno == ENOENT)
            return kGone;
        attributes |= ReadOnlyAttribute;
    }
    return attributes;
}

} // namespace

int FileAttributes(const QString& path) {
    const QString bare = withoutTrailingSlashes(path);
    const QByteArray native = QFile::encodeName(bare);
    struct stat link;
    if (::lstat(native.constData(), &link) != 0)
        failToRead(path, errno);
    const bool hidden = bare.mid(bare.lastIndexOf(u'/') + 1).startsWith(u'.');
    const int attributes = attributesOf(AT_FDCWD, native.constData(), link.st_mode, hidden);
    if (attributes == kGone)
        failToRead(path, ENOENT);
    return attributes;
}

int FileAttributesAt(int folder, const char* name, unsigned char listedType) {
    mode_t ownType = DTTOIF(listedType);
    if (listedType == DT_UNKNOWN) {
        struct stat link;
        if (::fstatat(folder, name, &link, AT_SYMLINK_NOFOLLOW) != 0)
            failToRead(QFile::decodeName(name), errno);
        ownType = link.st_mode;
    }
    const int attributes = attributesOf(folder, name, ownType, name[0] == '.');
    if (attributes == kGone)
        failToRead(QFile::decodeName(name), ENOENT);
    return attributes;
}

} // namespace support
