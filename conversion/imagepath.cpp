#include "imagepath.h"

#include <QStringList>

namespace conversion {

QString ImagePath(const QString& folder, const QString& name, const QString& extension) {
    const bool needsSeparator = !folder.isEmpty() && !folder.endsWith(u'/');
    return folder + (needsSeparator ? QStringLiteral("/") : QString()) + name + u'.' + extension;
}

std::optional<QString> RefusedImageReason(const QString& folder, const QString& name) {
    if (folder.isEmpty())
        return QStringLiteral("no output folder is set");
    if (name.startsWith(u'/'))
        return QStringLiteral("the address is an absolute path; its image would leave the output "
                              "folder");
    if (name.split(u'/').contains(QStringLiteral("..")))
        return QStringLiteral("the address has a \"..\" part; its image would leave the output "
                              "folder");
    return std::nullopt;
}

} // namespace conversion
