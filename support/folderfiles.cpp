#include "folderfiles.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace support {
namespace {

// O_PATH asks for no access at all, so only existence and the path's
// reachability decide; a named pipe does not block.
bool isOpenableAt(int folder, const char* path) {
    const int fd = ::openat(folder, path, O_PATH | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    const bool openable = ::fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
    ::close(fd);
    return openable;
}

bool matchesEveryName(const QString& pattern) {
    return pattern == QLatin1String("*.*") || pattern == QLatin1String("*");
}

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

} // namespace

bool IsOpenableFile(const QString& path) {
    return !path.isEmpty() && isOpenableAt(AT_FDCWD, QFile::encodeName(path).constData());
}

QStringList ListFolderFiles(const QString& folder, const QString& pattern) {
    QString path = folder;
    if (!path.endsWith(u'/'))
        path += u'/';
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(QFile::encodeName(path).constData()));
    if (!dir)
        return {};

    const bool everyName = matchesEveryName(pattern);
    const QByteArray nativePattern = QFile::encodeName(pattern);
    QStringList names;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (entry->d_type == DT_DIR)
            continue; // "." and ".." among them
        if (!everyName && ::fnmatch(nativePattern.constData(), entry->d_name, 0) != 0)
            continue;
        if (!isOpenableAt(::dirfd(dir.get()), entry->d_name))
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
