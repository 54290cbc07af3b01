#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace support {

class FolderListing;

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

// One name ListFolderFiles gives, with its raw form and listed type (DT_*)
// for looking further at it through the listing's folder.
struct FolderFile {
    QString name;
    const char* nativeName;
    unsigned char type;
};

// Hands `take` the files of a folder already read, as ListFolderFiles names
// them, in the same order.
void ForEachOpenableFile(const FolderListing& listing, const QString& pattern,
                         const std::function<void(const FolderFile&)>& take);

} // namespace support
