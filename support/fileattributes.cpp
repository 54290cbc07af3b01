#include "fileattributes.h"

#include "failure.h"

#include <QFile>

#include <cerrno>
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

} // namespace

int FileAttributes(const QString& path) {
    const QString bare = withoutTrailingSlashes(path);
    const QByteArray native = QFile::encodeName(bare);
    struct stat link;
    if (::lstat(native.constData(), &link) != 0)
        failErrno(QStringLiteral("Cannot read the attributes of"), path, errno);

    int attributes = 0;
    struct stat target = link;
    if (S_ISLNK(link.st_mode)) {
        attributes |= ReparsePointAttribute;
        if (::stat(native.constData(), &target) != 0)
            target.st_mode = 0; // a dangling link is a link and nothing else
    }
    if (S_ISDIR(target.st_mode))
        attributes |= DirectoryAttribute;
    if (S_ISREG(target.st_mode))
        attributes |= ArchiveAttribute;
    if (bare.mid(bare.lastIndexOf(u'/') + 1).startsWith(u'.'))
        attributes |= HiddenAttribute;
    if (target.st_mode != 0 && ::faccessat(AT_FDCWD, native.constData(), W_OK, AT_EACCESS) != 0)
        attributes |= ReadOnlyAttribute;
    return attributes;
}

} // namespace support
