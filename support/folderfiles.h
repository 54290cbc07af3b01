#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace support {

class FolderListing;

// One file of a folder listing, with its raw form and listed type (DT_*)
// for looking further at it through the listing's folder.
struct ListedFile {
    QString name;
    const char* nativeName;
    unsigned char type;
};

// Hands `take` the files of a folder already read that match `pattern`, in the
// file system's order; hidden files included, folders left out, and only
// names that the system would let be opened as files. "*.*" and "*" match
// every name; other patterns are shell wildcards. Nothing when the folder
// could not be listed. Never throws.
void ForEachOpenableFile(const FolderListing& listing, const QString& pattern,
                         const std::function<void(const ListedFile&)>& take);

} // namespace support
