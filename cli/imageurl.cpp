#include "imageurl.h"

#include <QUrl>

namespace cli {
namespace {

QString encodedPath(const QString& path) {
    return QString::fromLatin1(QUrl::toPercentEncoding(path, "/@"));
}

} // namespace

QString ImageUrl(const QString& prefix, const QString& fileName) {
    const bool needsSeparator = !prefix.isEmpty() && !prefix.endsWith(u'/');
    return prefix + (needsSeparator ? QStringLiteral("/") : QString()) + encodedPath(fileName);
}

QString FolderAsUrl(const QString& folder) {
    return encodedPath(folder);
}

} // namespace cli
