#pragma once

#include "entrylist.h"

#include <QString>
#include <functional>

namespace support {

// Receives the entries of one list file, all of them at once and in file order,
// so the address list can append a million lines in one go.
using EntrySink = std::function<void(EntryList entries)>;

// Shows a plain message (OK only) to the user.
using MessageNotice = std::function<void(const QString& message)>;

// Appends the entries of the list file at `path` to `append`. A missing file
// is answered with the message "File not found" and appends nothing. A file
// that exists but cannot be read, or does not fit in memory, throws Failure
// and appends nothing.
void LoadListFile(const QString& path, const EntrySink& append, const MessageNotice& notify);

// The entries of the list file at `path`, one per line: a line ends at CR or
// CR LF, and inside a line every LF separates two entries. Nothing is
// trimmed; blank lines give empty entries; a break at the very end (LF, CR
// or CR LF) gives no empty last entry. A file that starts with a UTF-16
// or UTF-32 byte-order mark is read in that encoding; any other is UTF-8 (a
// byte-order mark dropped) when all of it is valid UTF-8, Windows-1252
// otherwise. The file is read in chunks, never held whole. Throws Failure.
EntryList ReadListFile(const QString& path);

// The entries of text already at hand (several lines pasted into a prompt),
// split as ReadListFile splits a file's lines.
EntryList SplitListText(QStringView text);

} // namespace support
