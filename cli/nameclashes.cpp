#include "nameclashes.h"

#include <QDir>

namespace cli {

std::optional<qsizetype> NameClashes::claim(const QString& path, qsizetype place) {
    // "a//b" and "a/./b" are the same file as "a/b".
    const quint64 key = qHash(QDir::cleanPath(path), 0);
    const auto earlier = placeOf_.constFind(key);
    if (earlier != placeOf_.constEnd())
        return earlier.value();
    placeOf_.insert(key, place);
    return std::nullopt;
}

} // namespace cli
