#pragma once

#include <QString>

namespace support {

// Mends the doubled separators that joining a folder and a name can produce.
// Outside a leading run, each pair of separators becomes one, left to right
// (a run of n becomes ceil(n / 2)). A leading run becomes two backslashes
// when the separator is '\\' (a network path) and one '/' otherwise, since
// "//" has no meaning of its own here.
QString CollapseBackslashes(const QString& path, QChar separator = u'/');

} // namespace support
