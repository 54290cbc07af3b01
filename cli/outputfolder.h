#pragma once

#include <QByteArray>

namespace cli {

// The folder the images go to, as the run's core takes it: `folder` (the
// current folder when empty), once it is known to be a folder the images can
// be written to. Throws support::Failure naming it and what is wrong with it.
QString CheckedOutputFolder(const QByteArray& folder);

} // namespace cli
