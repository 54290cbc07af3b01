#include "folderwalk.h"

#include "fileattributes.h"
#include "fileutils.h"
#include "folderlisting.h"
#include "pendingevents.h"

#include <QFile>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <utility>

namespace support {
namespace {

const QString kProcedure = QStringLiteral("Marrowtide2021/08/31.AddFolder.GetSubDirectories2016");

constexpr qsizetype kMaxPathLength = 260;

// Device and inode of every folder taken so far.
using WalkedFolders = QSet<std::pair<quint64, quint64>>;

std::pair<quint64, quint64> folderId(const struct stat& st) {
    return {st.st_dev, st.st_ino};
}

// A folder is looked at before it is entered; one gone meanwhile throws
// Failure. The look never refuses: only a hidden "system" folder would be
// passed over, and no folder here is "system".
bool mayEnter(const QString& folder) {
    if (folder != QLatin1String("/"))
        FileAttributes(folder);
    return true;
}

bool isDotOrDotDot(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

enum class Enumeration { Listed, Refused };

// Appends the sub-folders of `folder` that the walk takes to `found`. Refused
// means the folder cannot be entered (access denied, or gone); any other
// failure just ends the listing, keeping what was found.
Enumeration enumerateSubFolders(const QString& folder, QStringList& found, WalkedFolders& walked) {
    const FolderListing dir = OpenFolderListing(folder);
    if (!dir) {
        const int error = errno;
        const bool refused =
            error == EACCES || error == EPERM || error == ENOENT || error == ENOTDIR;
        return refused ? Enumeration::Refused : Enumeration::Listed;
    }
    const int fd = ::dirfd(dir.get());
    while (const dirent* entry = ::readdir(dir.get())) {
        const unsigned char type = entry->d_type;
        if (isDotOrDotDot(entry->d_name) ||
            (type != DT_DIR && type != DT_LNK && type != DT_UNKNOWN))
            continue;
        struct stat st;
        if (::fstatat(fd, entry->d_name, &st, 0) != 0 || !S_ISDIR(st.st_mode))
            continue;

        ProcessPendingMessages();
        const QString name = QFile::decodeName(entry->d_name);
        if (name.size() >= kMaxPathLength || HasUnsafeChars(name))
            continue;
        if (walked.contains(folderId(st)))
            continue; // reached before, through a link: walking it again would never end
        walked.insert(folderId(st));
        found.append(folder + name + u'/');
    }
    return Enumeration::Listed;
}

// Drops the entries at `indices` (ascending) in one pass.
void removeAt(QStringList& list, const QList<qsizetype>& indices) {
    qsizetype kept = 0;
    qsizetype next = 0;
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (next < indices.size() && indices[next] == i) {
            ++next;
            continue;
        }
        if (kept != i)
            list[kept] = std::move(list[i]);
        ++kept;
    }
    list.resize(kept);
}

// One level of the walk. The numbers are the lines an error report names.
// Returns how many of the entries given are left.
qsizetype walkLevel(QStringList& folders, bool recurse, const ErrorReporter& report,
                    WalkedFolders& walked) {
    StepTrap trap(kProcedure, report);
    QStringList found;
    QList<qsizetype> refused;
    const qsizetype given = folders.size();
    for (qsizetype i = 0; i < given; ++i) {
        const QString& folder = folders.at(i);
        if (!trap.guard(102, [&] { return folder.size() < kMaxPathLength && IsDirectory(folder); }))
            continue;
        trap(104, ProcessPendingMessages);
        if (!trap.guard(106, [&] { return mayEnter(folder); }))
            continue;
        // An equal entry earlier in the list would have been refused the same
        // way already, so this one is the first equal entry left.
        if (enumerateSubFolders(folder, found, walked) == Enumeration::Refused)
            refused.append(i);
    }
    if (!refused.isEmpty())
        removeAt(folders, refused);

    qsizetype ownFound = found.size();
    if (recurse && !found.isEmpty())
        trap(110, [&] { ownFound = walkLevel(found, true, report, walked); });

    // The deeper levels behind this level's own sub-folders were checked by
    // the deeper calls a moment ago; checking them again at every level above
    // would cost the depth of the tree times its size.
    for (qsizetype i = 0; i < found.size(); ++i) {
        const QString& folder = found.at(i);
        trap(112, ProcessPendingMessages);
        if (i >= ownFound ||
            trap.guard(114, [&] { return IsDirectory(folder) && mayEnter(folder); }))
            folders.append(folder);
    }
    return given - refused.size();
}

} // namespace

bool HasUnsafeChars(const QString& name) {
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            ++i; // a character beyond U+FFFF: safe
            continue;
        }
        const char16_t code = c.unicode();
        if (code < 32 || (code >= 127 && code <= 159) || code == u'?' || c.isSurrogate() ||
            code == QChar::ReplacementCharacter)
            return true;
    }
    return false;
}

void GetSubDirectories2016(QStringList& folders, bool recurse, const ErrorReporter& report) {
    // The folders given count as walked from the start, so a link back to one
    // of them is not followed.
    WalkedFolders walked;
    for (const QString& folder : std::as_const(folders)) {
        struct stat st;
        if (::stat(QFile::encodeName(folder).constData(), &st) == 0)
            walked.insert(folderId(st));
    }
    walkLevel(folders, recurse, report, walked);
}

} // namespace support
