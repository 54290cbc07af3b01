#pragma once

#include <QFile>
#include <QString>

#include <dirent.h>
#include <memory>

namespace support {

struct FolderListingCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

// A folder opened for reading its entries, closed however the reading ends.
using FolderListing = std::unique_ptr<DIR, FolderListingCloser>;

// Null when the folder cannot be opened; errno then says why.
inline FolderListing OpenFolderListing(const QString& folder) {
    return FolderListing(::opendir(QFile::encodeName(folder).constData()));
}

} // namespace support
