#pragma once

#include "steptrap.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace support {

class FolderListing;

// True when a folder name carries a character a walked path must not: a
// control character (below 32, or 127 to 159), "?", or one with no UTF-8 form
// (an unpaired surrogate, or the replacement character that stands for bytes
// that were not UTF-8).
bool HasUnsafeChars(const QString& name);

// Extends `folders`, a list of folder paths each ending in "/", in place and
// breadth-first: the entries given (less those that cannot be entered, because
// access is denied or they are gone), then their sub-folders, then the
// sub-folders of those (only with `recurse`), each parent's sub-folders in the
// file system's order. Folder paths of 260 characters or more are not walked;
// sub-folders whose name is 260 characters or more, unsafe, "." or ".." are
// left out with everything below them. A folder reached a second time (the
// same device and inode, say through a symbolic link back up the tree) is left
// out too, so every folder is listed once and the walk ends.
//
// Lets the window process events before entering each folder, for each
// sub-folder found and for each folder copied into the result. Unexpected
// failures are reported through `report` under the procedure
// "Marrowtide2021/08/31.AddFolder.GetSubDirectories2016", and the walk goes on.
void GetSubDirectories2016(QStringList& folders, bool recurse, const ErrorReporter& report);

// Sees each folder of the walk's result when the walk comes to it, in the
// result's order: with the listing the walk read when it entered the folder,
// with none when it did not (such a folder, should it stop being a folder
// before the walk ends, is left out of the result after all).
using FolderVisitor = std::function<void(const QString& folder, const FolderListing* listing)>;

// GetSubDirectories2016 with recursion that shows `visit` each folder, so a
// caller that wants the folders' files reads no folder a second time.
void WalkFolderTree(QStringList& folders, const ErrorReporter& report, const FolderVisitor& visit);

} // namespace support
