#pragma once

#include <QString>
#include <QStringList>

namespace support {

// The names of the files in `folder` (with or without a trailing "/") that
// match `pattern`, in the file system's order; hidden files included, folders
// left out, and only names that the system would let be opened as files.
// "*.*" and "*" match every name; other patterns are shell wildcards. Empty
// when the folder cannot be listed. Never throws.
QStringList ListFolderFiles(const QString& folder, const QString& pattern);

} // namespace support
