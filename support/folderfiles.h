#pragma once

#include <QString>
#include <QStringList>

namespace support {

// True when `path` names something that can be opened as a file: it exists,
// is not a folder, and the system lets it be opened (without reading it).
// Never throws.
bool IsOpenableFile(const QString& path);

// The names of the files in `folder` (with or without a trailing "/") that
// match `pattern`, in the file system's order; hidden files included, folders
// left out, and only names for which IsOpenableFile holds. "*.*" and "*" match
// every name; other patterns are shell wildcards. Empty when the folder cannot
// be listed. Never throws.
QStringList ListFolderFiles(const QString& folder, const QString& pattern);

} // namespace support
