#pragma once

#include <QByteArray>
#include <QString>
#include <sys/types.h>

namespace support {

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

// Writes `bytes` to `path` unless something already stands there. The file is
// written under a temporary name in the same folder and renamed into place,
// so no half-written file ever carries the name. Throws Failure.
void WriteBytesIfMissing(const QByteArray& bytes, const QString& path, mode_t mode = 0644);

// Replaces `path` with `text` in UTF-8 and a CR LF. Writes only a regular
// file: never through a symbolic link, never into a pipe or a device, and
// never waits for one. Throws Failure.
void WriteTextFile(const QString& text, const QString& path);

// Deletes the file at `path` if it can; never fails.
void RemoveFile(const QString& path);

} // namespace support
