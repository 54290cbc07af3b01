#pragma once

#include "steptrap.h"

#include <QString>
#include <QStringList>

namespace support {

// The entries a folder dropped on the address list adds: the paths of the
// files in it and in every folder below it, in the walk's order (see
// GetSubDirectories2016) and each folder's listing order. Left out are names
// starting with "~" (editors' lock and backup files), files that cannot be
// opened, and files that are hidden and nothing else but a file (attribute
// value exactly 34). Failures inside the walk go to `report`.
QStringList DroppedFolderFiles(const QString& folder, const ErrorReporter& report);

} // namespace support
