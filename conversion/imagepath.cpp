#include "imagepath.h"

#include <QFile>
#include <QStringList>

#include <climits>
#include <unistd.h>

namespace conversion {
namespace {

// The longest file name the output folder's file system takes, in bytes.
long nameLimit(const QString& folder) {
    const long limit = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    return limit > 0 ? limit : NAME_MAX;
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
