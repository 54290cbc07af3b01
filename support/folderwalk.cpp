#include "folderwalk.h"

#include "fileattributes.h"
#include "fileutils.h"
#include "folderlisting.h"
#include "pendingevents.h"

#include <QFile>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <dirent.h>
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

// Access denied, or gone: the folder is taken out of the list.
bool isRefusal(int error) {
    return error == EACCES || error == EPERM || error == ENOENT || error == ENOTDIR;
}

struct WalkState {
    const ErrorReporter& report;
    const FolderVisitor* visit; // null when nobody looks at the folders' files
    WalkedFolders walked;

    void visitUnentered(const QString& folder) const {
        if (visit)
            (*visit)(folder, nullptr);
    }
};

// Appends the sub-folders in `folder`'s listing that the walk takes to `found`.
void takeSubFolders(const QString& folder, const FolderListing& listing, QStringList& found,
                    WalkedFolders& walked) {
    for (const FolderListing::Entry entry : listing) {
        if (isDotOrDotDot(entry.name) ||
            (entry.type != DT_DIR && entry.type != DT_LNK && entry.type != DT_UNKNOWN))
            continue;
        struct stat st;
        if (::fstatat(listing.fd(), entry.name, &st, 0) != 0 || !S_ISDIR(st.st_mode))
            continue;

        ProcessPendingMessages();
        const QString name = QFile::decodeName(entry.name);
        if (name.size() >= kMaxPathLength || HasUnsafeChars(name))
            continue;
        if (walked.contains(folderId(st)))
            continue; // reached before, through a link: walking it again would never end
        walked.insert(folderId(st));
        found.append(folder + name + u'/');
    }
}

// Drops the entries at `indices` (ascending) in one pass.
template <class List> void removeAt(List& list, const QList<qsizetype>& indices) {
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
// `foundByParent` tells the levels below from the entries the caller gave.
// Returns, for each of the entries given that are left, whether it was entered.
//
// No folder here is a system folder, so none has the attribute values 22 or
// 1046 that keep a folder out: a folder that opens is entered without a look
// at its attributes. One that does not open gets that look, which reports a
// folder gone since line 102.
QList<bool> walkLevel(QStringList& folders, bool recurse, bool foundByParent, WalkState& state) {
    StepTrap trap(kProcedure, state.report);
    QStringList found;
    QList<qsizetype> refused;
    const qsizetype given = folders.size();
    QList<bool> entered(given, false);
    for (qsizetype i = 0; i < given; ++i) {
        const QString& folder = folders.at(i);
        // A sub-folder was one when its parent was listed a moment ago.
        if (!trap.guard(102, [&] {
                return folder.size() < kMaxPathLength && (foundByParent || IsDirectory(folder));
            })) {
            state.visitUnentered(folder);
            continue;
        }
        trap(104, ProcessPendingMessages);
        const FolderListing listing(folder);
        if (listing.isOpen()) {
            entered[i] = true;
            takeSubFolders(folder, listing, found, state.walked);
            if (state.visit)
                (*state.visit)(folder, &listing);
            continue;
        }
        // A sub-folder gone since its parent was listed is passed over as at line 102.
        if ((foundByParent && !IsDirectory(folder)) ||
            !trap.guard(106, [&] { return mayEnter(folder); })) {
            state.visitUnentered(folder);
            continue;
        }
        // An equal entry earlier in the list would have been refused the same
        // way already, so this one is the first equal entry left.
        if (isRefusal(listing.error()))
            refused.append(i);
        else
            state.visitUnentered(folder);
    }
    if (!refused.isEmpty()) {
        removeAt(folders, refused);
        removeAt(entered, refused);
    }

    QList<bool> ownEntered;
    qsizetype ownFound = found.size();
    if (recurse && !found.isEmpty())
        trap(110, [&] {
            ownEntered = walkLevel(found, true, true, state);
            ownFound = ownEntered.size();
        });

    // The deeper levels behind this level's own sub-folders were checked by
    // the deeper calls a moment ago, and an own sub-folder that the deeper
    // call entered was a folder then; checking them again at every level
    // above would cost the depth of the tree times its size.
    for (qsizetype i = 0; i < found.size(); ++i) {
        const QString& folder = found.at(i);
        trap(112, ProcessPendingMessages);
        const bool known = i >= ownFound || (i < ownEntered.size() && ownEntered[i]);
        if (known || trap.guard(114, [&] { return IsDirectory(folder) && mayEnter(folder); }))
            folders.append(folder);
    }
    return entered;
}

void walk(QStringList& folders, bool recurse, const ErrorReporter& report,
          const FolderVisitor* visit) {
    // The folders given count as walked from the start, so a link back to one
    // of them is not followed.
    WalkState state{report, visit, {}};
    for (const QString& folder : std::as_const(folders)) {
        struct stat st;
        if (::stat(QFile::encodeName(folder).constData(), &st) == 0)
            state.walked.insert(folderId(st));
    }
    walkLevel(folders, recurse, false, state);
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
    walk(folders, recurse, report, nullptr);
}

void WalkFolderTree(QStringList& folders, const ErrorReporter& report, const FolderVisitor& visit) {
    walk(folders, true, report, &visit);
}

} // namespace support
