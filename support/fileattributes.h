#pragma once

#include <QString>

namespace support {

// Attribute bits as the address intake knows them, computed from what Linux
// keeps: read-only when the user cannot write the path, hidden for a name
// starting with ".", directory and archive (every regular file) from the
// target's type, reparse point for a symbolic link. Nothing is ever "system".
enum FileAttribute : int {
    ReadOnlyAttribute = 1,
    HiddenAttribute = 2,
    DirectoryAttribute = 16,
    ArchiveAttribute = 32,
    ReparsePointAttribute = 1024,
};

// The attribute value of `path`; a trailing "/" is ignored for the name.
// Throws Failure when the path cannot be looked at.
int FileAttributes(const QString& path);

// The attribute value of `name` in the open folder `folder`, whose listing
// gave it the type `listedType` (DT_*): the type is looked up only when the
// listing did not say it. Throws Failure when the name cannot be looked at.
int FileAttributesAt(int folder, const char* name, unsigned char listedType);

} // namespace support
