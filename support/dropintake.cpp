#include "dropintake.h"

#include "failure.h"
#include "fileattributes.h"
#include "folderfiles.h"
#include "folderwalk.h"
#include "pathcollapse.h"

namespace support {
namespace {

constexpr int kHiddenPlainFile = HiddenAttribute | ArchiveAttribute;

bool isHiddenPlainFile(const QString& name, const QString& path) {
    if (!name.startsWith(u'.'))
        return false; // only a dot name is hidden, so no other can have the value 34
    try {
        return FileAttributes(path) == kHiddenPlainFile;
    } catch (const Failure&) {
        return true; // gone since it was listed: nothing left to add
    }
}

} // namespace

QStringList DroppedFolderFiles(const QString& folder, const ErrorReporter& report) {
    QString start = folder;
    while (start.endsWith(u'/'))
        start.chop(1);
    QStringList folders{start + u'/'};
    GetSubDirectories2016(folders, true, report);

    QStringList paths;
    for (const QString& entry : std::as_const(folders)) {
        const QString bare = entry.chopped(1);
        for (const QString& name : ListFolderFiles(bare, QStringLiteral("*.*"))) {
            if (name.startsWith(u'~'))
                continue;
            // ListFolderFiles has just found folder + name openable.
            const QString path = bare + u'/' + name;
            if (isHiddenPlainFile(name, path))
                continue;
            paths.append(CollapseBackslashes(path));
        }
    }
    return paths;
}

} // namespace support
