#pragma once

#include <QString>

namespace conversion {

// The folder each run makes its own folder in (runfolder.h).
//
// TEMP is used unchanged when it is set, unless other users can rename what
// stands in it (a folder of theirs, or one open to all without the sticky
// bit): `passedOver` then gets the reason, and a private folder is used.
// Otherwise the folder is private to the user: $XDG_RUNTIME_DIR/orvanta, or
// orvanta-<uid> in the system's temporary folder, made with mode 0700 and
// then checked to be a real folder of the user's own that nobody else can
// enter, because the tools are run from it.
//
// Where that folder is refused as not private (another user made it first),
// or its file system does not let programs run (mounted noexec), the first of
// $XDG_RUNTIME_DIR/orvanta and $XDG_CACHE_HOME/orvanta (~/.cache/orvanta)
// that is private and does is used instead. Throws support::Failure, naming
// the cause, when none is.
QString TemporaryFolder(QString* passedOver = nullptr);

} // namespace conversion
