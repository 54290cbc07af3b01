#pragma once

#include <QString>

namespace conversion {

// The folder the converter tools and the text file live in during a run.
//
// TEMP is used unchanged when it is set. Without it the folder is private to
// the user: $XDG_RUNTIME_DIR/orvanta, or orvanta-<uid> in the system's
// temporary folder, made with mode 0700 and then checked to be a real folder
// of the user's own that nobody else can enter, because the tools are run
// from it. Throws support::Failure when it is not.
QString TemporaryFolder();

} // namespace conversion
