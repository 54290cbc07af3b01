#include "imagepath.h"

#include <QFile>
#include <QStringList>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace conversion {
namespace {

// The longest file name the output folder's file system takes, in bytes.
long nameLimit(const QString& folder) {
    const long limit = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    return limit > 0 ? limit : NAME_MAX;
}

// Whether the sub-folder the image goes in is reached only through a
// symbolic link that leads out of the output folder. A folder that does not
// exist is left for the converter to report.
bool leavesThroughLink(const QString& folder, const QString& name) {
    const qsizetype slash = name.lastIndexOf(u'/');
    if (slash < 0)
        return false;
    const int root =
        ::open(QFile::encodeName(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (root < 0)
        return false;
    open_how how{};
    how.flags = O_PATH | O_DIRECTORY | O_CLOEXEC;
    how.resolve = RESOLVE_BENEATH;
    const QByteArray subfolder = QFile::encodeName(name.left(slash));
    const long fd = ::syscall(SYS_openat2, root, subfolder.constData(), &how, sizeof how);
    const int error = errno;
    ::close(root);
    if (fd >= 0)
        ::close(int(fd));
    return fd < 0 && (error == EXDEV || error == ELOOP);
}

} // namespace

QString ImagePath(const QString& folder, const QString& name, const QString& extension) {
    const bool needsSeparator = !folder.isEmpty() && !folder.endsWith(u'/');
    return folder + (needsSeparator ? QStringLiteral("/") : QString()) + name + u'.' + extension;
}

std::optional<QString> RefusedImageReason(const QString& folder, const QString& name,
                                          const QString& extension) {
    if (folder.isEmpty())
        return QStringLiteral("no output folder is set");
    if (name.startsWith(u'/'))
        return QStringLiteral("the address is an absolute path; its image would leave the output "
                              "folder");
    if (name.split(u'/').contains(QStringLiteral("..")))
        return QStringLiteral("the address has a \"..\" part; its image would leave the output "
                              "folder");
    if (name.contains(QChar(0)))
        return QStringLiteral("the address holds a NUL character, which no file name can hold");
    if (leavesThroughLink(folder, name))
        return QStringLiteral("its image would pass through a symbolic link out of the output "
                              "folder");
    const long longest = nameLimit(folder);
    for (const QString& part : (name + u'.' + extension).split(u'/')) {
        const qsizetype length = QFile::encodeName(part).size();
        if (length > longest)
            return QStringLiteral("its file name would be %1 bytes long, and this file system "
                                  "takes at most %2")
                .arg(length)
                .arg(longest);
    }
    return std::nullopt;
}

} // namespace conversion
