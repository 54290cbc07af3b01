#pragma once

#include <QString>

namespace cli {

// How a page reaches an image in the output folder: the prefix, "/" unless it
// is empty or ends in one, then the image's file name percent-encoded as a
// URL path with its "/" kept, so that whatever a name holds (spaces, "%",
// "#", "?", commas, letters beyond ASCII) leads to the file, and srcset,
// which splits at spaces and commas, reads it whole. The prefix is used as
// written: it is the page's own notion of the folder.
QString ImageUrl(const QString& prefix, const QString& fileName);

// The output folder as written, as such a prefix: what a page beside the
// folder the command ran in uses when no prefix is given.
QString FolderAsUrl(const QString& folder);

} // namespace cli
