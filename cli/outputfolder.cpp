#include "outputfolder.h"

#include <support/failure.h>

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cli {
namespace {

[[noreturn]] void failFolder(const QByteArray& folder, const QString& what) {
    support::fail(QStringLiteral("%1: %2").arg(QFile::decodeName(folder), what));
}

QString errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

QString CheckedOutputFolder(const QByteArray& given) {
    const QByteArray folder = given.isEmpty() ? QFile::encodeName(QDir::currentPath()) : given;
    struct stat st;
    if (::stat(folder.constData(), &st) != 0) {
        const int error = errno;
        failFolder(
            folder,
            error == ENOENT
                ? QStringLiteral("the output folder does not exist")
                : QStringLiteral("cannot reach the output folder: %1").arg(errorText(error)));
    }
    if (!S_ISDIR(st.st_mode))
        failFolder(folder, QStringLiteral("the output folder is not a folder"));
    // Root passes any permission test; a read-only mount still shows.
    if (::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) != 0)
        failFolder(folder,
                   QStringLiteral("the output folder is not writable: %1").arg(errorText(errno)));
    // The converters are handed image paths as text.
    const QString path = QFile::decodeName(folder);
    if (QFile::encodeName(path) != folder)
        failFolder(folder, QStringLiteral("the output folder's path is not valid UTF-8; give a "
                                          "folder whose path is"));
    return path;
}

} // namespace cli
