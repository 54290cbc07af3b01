#pragma once

#include <QByteArray>

namespace cli {

// Makes `folder` (the current folder when empty) the current folder, so
// that every image lands there whatever its path's bytes, once it is known
// to be a folder the images can be written to. Throws support::Failure
// naming the folder and what is wrong with it.
void EnterOutputFolder(const QByteArray& folder);

} // namespace cli
