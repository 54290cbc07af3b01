#pragma once

#include <QByteArray>
#include <QString>
#include <fcntl.h>
#include <sys/types.h>

namespace support {

// A file to write or delete: a plain path, or a name inside a folder held
// open, reached through the folder's descriptor so that renaming the folder
// (or swapping a link in for it) cannot send the access elsewhere.
struct FolderFile {
    FolderFile(const QString& path) : name(path), shown(path) {}
    FolderFile(int folder, const QString& name, const QString& shown)
        : folder(folder), name(name), shown(shown) {}

    int folder = AT_FDCWD;
    QString name;  // relative to `folder`
    QString shown; // in messages
};

// Quiet tests: they answer false for anything they cannot look at.
bool FileExists(const QString& path); // any existing path, folders included
bool IsDirectory(const QString& path);

// The part of `path` after its last separator; all of it when there is none.
QString FileNameOf(const QString& path, QChar separator = u'/');

// The special folder's path, a NUL and padding to 512 characters; empty when
// the folder is unknown. Folder 0 is the desktop, or the home folder on an
// account that has no desktop folder.
QString SpecialFolderBuffer(int folder);

// The desktop folder followed by "/". Throws Failure when there is none.
QString DesktopFolder();

// Writes `bytes` to `file` unless something already stands there. The file is
// written under a temporary name in the same folder and renamed into place,
// so no half-written file ever carries the name. Throws Failure.
void WriteBytesIfMissing(const QByteArray& bytes, const FolderFile& file, mode_t mode = 0644);

// Replaces `file` with `text` in UTF-8 and a CR LF. Writes only a regular
// file: never through a symbolic link, never into a pipe or a device, and
// never waits for one. Throws Failure.
void WriteTextFile(const QString& text, const FolderFile& file);

// Deletes the file if it can; never fails.
void RemoveFile(const FolderFile& file);

} // namespace support
