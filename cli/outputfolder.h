#pragma once

#include <QByteArray>

namespace cli {

// Throws support::Failure naming `folder` (the current folder when empty)
// unless it is a folder the images can be written to.
void CheckOutputFolder(const QByteArray& folder);

// Makes `folder` the current folder, so that every image lands there
// whatever its path's bytes. Throws support::Failure.
void EnterOutputFolder(const QByteArray& folder);

} // namespace cli
