#include "convertertools.h"

#include <support/failure.h>
#include <support/runandwait.h>

#include <QFile>
#include <QResource>

#include <sys/stat.h>
#include <unistd.h>

// The tools sit in an object file of their own that only this reference pulls
// out of the static library. (The macro cannot stand inside a namespace.)
static void registerConverterTools() {
    Q_INIT_RESOURCE(convertertools);
}

namespace conversion {

QByteArray LoadConverterTool(const ConverterTool& tool) {
    static const bool registered = [] {
        registerConverterTools();
        return true;
    }();
    Q_UNUSED(registered);
    const QResource resource(tool.resource);
    // Stored uncompressed, so this hands out the program's own bytes uncopied.
    const QByteArray bytes = resource.isValid() ? resource.uncompressedData() : QByteArray();
    if (bytes.isEmpty())
        support::fail(QStringLiteral("The converter %1 is missing from this program (resource %2)")
                          .arg(tool.fileName, tool.resource));
    return bytes;
}

std::optional<QString> RefusedToolReason(const QString& path) {
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("the converter \"%1\" is missing").arg(path);
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("the converter \"%1\" is a symbolic link; it was not run").arg(path);
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("the converter \"%1\" is not a file; it was not run").arg(path);
    if (st.st_uid != ::geteuid())
        return QStringLiteral("the converter \"%1\" belongs to another user; it was not run")
            .arg(path);
    if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return QStringLiteral("the converter \"%1\" can be changed by other users; it was not run")
            .arg(path);
    return std::nullopt;
}

QString DescribeConverterResult(int result) {
    // The converter's documented exit statuses.
    switch (result) {
    case 1:
        return QStringLiteral("the converter could not read its text file");
    case 2:
        return QStringLiteral("there was nothing to draw");
    case 3:
        return QStringLiteral("the image would be too large");
    case 4:
        return QStringLiteral("the image file could not be written");
    case 5:
        return QStringLiteral("the converter found no usable font");
    default:
        return QStringLiteral("the converter ") + support::DescribeRunResult(result);
    }
}

} // namespace conversion
