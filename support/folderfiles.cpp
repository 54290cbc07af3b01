#include "folderfiles.h"

#include "folderlisting.h"

#include <QFile>

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

QStringList ListFolderFiles(const QString& folder, const QString& pattern) {
    QString path = folder;
    if (!path.endsWith(u'/'))
        path += u'/';
    const FolderListing dir = OpenFolderListing(path);
    if (!dir)
        return {};

    // Nothing in a folder that may be listed but not searched can be opened.
    // In one that may be searched, a name the listing gives as a regular file
    // opens for sure, so only the other names need a look of their own.
    const int fd = ::dirfd(dir.get());
    if (::faccessat(fd, ".", X_OK, AT_EACCESS) != 0)
        return {};

    const bool everyName = matchesEveryName(pattern);
    const QByteArray nativePattern = QFile::encodeName(pattern);
    QStringList names;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (entry->d_type == DT_DIR)
            continue; // "." and ".." among them
        if (!everyName && ::fnmatch(nativePattern.constData(), entry->d_name, 0) != 0)
            continue;
        if (entry->d_type != DT_REG && !isOpenableAt(fd, entry->d_name))
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        // A name that is not valid UTF-8 cannot be opened by its decoded text.
        if (name.contains(QChar::ReplacementCharacter) && QFile::encodeName(name) != entry->d_name)
            continue;
        names.append(name);
    }
    return names;
}

} // namespace support
