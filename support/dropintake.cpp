#include "dropintake.h"

#include "failure.h"
#include "fileattributes.h"
#include "folderfiles.h"
#include "folderlisting.h"
#include "folderwalk.h"
#include "pathcollapse.h"

#include <dirent.h>

namespace support {
namespace {

constexpr int kHiddenPlainFile = HiddenAttribute | ArchiveAttribute;

// Only a dot name is hidden, and a listed link or special file has other bits
// than 34 whatever its permissions: the attributes are looked up only where
// they decide, which for a regular file is its write permission.
bool isHiddenPlainFile(const FolderListing& listing, const ListedFile& file) {
    if (!file.name.startsWith(u'.') || (file.type != DT_REG && file.type != DT_UNKNOWN))
        return false;
    try {
        return FileAttributesAt(listing.fd(), file.nativeName, file.type) == kHiddenPlainFile;
    } catch (const Failure&) {
        return true; // gone since it was listed: nothing left to add
    }
}

// Allocated at its exact size: a drop may hold a great many paths, and
// QString's own concatenation leaves room to grow in each.
QString joined(const QString& folder, const QString& name) {
    QString path;
    path.reserve(folder.size() + name.size());
    return path.append(folder).append(name);
}

void appendFiles(QStringList& paths, const QString& folder, const FolderListing& listing) {
    // A name holds no separator, so the folder part collapsed once serves
    // every path in the folder.
    const QString prefix = CollapseBackslashes(folder);
    ForEachOpenableFile(listing, QStringLiteral("*.*"), [&](const ListedFile& file) {
        if (!file.name.startsWith(u'~') && !isHiddenPlainFile(listing, file))
            paths.append(joined(prefix, file.name));
    });
}

} // namespace

QStringList DroppedFolderFiles(const QString& folder, const ErrorReporter& report) {
    QString start = folder;
    while (start.endsWith(u'/'))
        start.chop(1);
    QStringList folders{start + u'/'};
    QStringList paths;
    // Each folder's files are taken from the listing the walk reads anyway;
    // a folder the walk does not enter is read here.
    WalkFolderTree(folders, report, [&](const QString& entry, const FolderListing* listing) {
        if (listing)
            appendFiles(paths, entry, *listing);
        else
            appendFiles(paths, entry, FolderListing(entry));
    });
    return paths;
}

} // namespace support
