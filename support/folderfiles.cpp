#include "folderfiles.h"

#include "folderlisting.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

namespace support {
namespace {

// Resolves the path the way an O_PATH open does, asking for no access to the
// file itself, but without making a descriptor: one call per name keeps the
// listing of a large folder cheap.
bool isOpenableAt(int folder, const char* path) {
    struct stat st;
    return ::fstatat(folder, path, &st, 0) == 0 && !S_ISDIR(st.st_mode);
}

bool matchesEveryName(const QString& pattern) {
    return pattern == QLatin1String("*.*") || pattern == QLatin1String("*");
}

} // namespace

void ForEachOpenableFile(const FolderListing& listing, const QString& pattern,
                         const std::function<void(const ListedFile&)>& take) {
    const bool everyName = matchesEveryName(pattern);
    const QByteArray nativePattern = QFile::encodeName(pattern);
    const int fd = listing.fd();
    // Nothing in a folder that may be listed but not searched can be opened.
    // In one that may be searched, a name the listing gives as a regular file
    // opens for sure, so only the other names need a look of their own; the
    // folder's own permission is asked at its first regular file.
    enum { Unasked, Searchable, NotSearchable } search = Unasked;
    for (const FolderListing::Entry entry : listing) {
        if (entry.type == DT_DIR)
            continue; // "." and ".." among them
        if (!everyName && ::fnmatch(nativePattern.constData(), entry.name, 0) != 0)
            continue;
        if (entry.type == DT_REG && search == Unasked)
            search = ::faccessat(fd, ".", X_OK, AT_EACCESS) == 0 ? Searchable : NotSearchable;
        if (search == NotSearchable)
            return;
        if (entry.type != DT_REG && !isOpenableAt(fd, entry.name))
            continue;
        const QString name = QFile::decodeName(entry.name);
        // A name that is not valid UTF-8 cannot be opened by its decoded text.
        if (name.contains(QChar::ReplacementCharacter) && QFile::encodeName(name) != entry.name)
            continue;
        take({name, entry.name, entry.type});
    }
}

} // namespace support
