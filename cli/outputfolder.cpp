#include "outputfolder.h"

#include <support/failure.h>

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace cli {
namespace {

[[noreturn]] void failFolder(const QByteArray& folder, const QString& what) {
    support::fail(QStringLiteral("%1: %2").arg(QFile::decodeName(folder), what));
}

} // namespace

OutputFolder::OutputFolder(const QByteArray& given) {
    const QByteArray folder = given.isEmpty() ? QByteArray(".") : given;
    fd_ = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        const int error = errno;
        if (error == ENOENT)
            failFolder(folder, QStringLiteral("the output folder does not exist"));
        if (error == ENOTDIR)
            failFolder(folder, QStringLiteral("the output folder is not a folder"));
        failFolder(
            folder,
            QStringLiteral("cannot reach the output folder: %1").arg(support::ErrorText(error)));
    }
    // Root passes any permission test; a read-only mount still shows.
    if (::faccessat(fd_, ".", W_OK | X_OK, AT_EACCESS) != 0) {
        const int error = errno;
        ::close(fd_);
        failFolder(
            folder,
            QStringLiteral("the output folder is not writable: %1").arg(support::ErrorText(error)));
    }
    path_ = QFile::decodeName(folder);
}

OutputFolder::~OutputFolder() {
    ::close(fd_);
}

} // namespace cli
