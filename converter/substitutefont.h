#pragma once

namespace converter {

// Liberation Mono Regular (SIL Open Font License), read from the system's
// fonts-liberation2 package: its metrics are fitted onto the named font's
// cell, so the images keep their sizes, and the package carries no copy of
// its own.
const char* substituteFontPath();

} // namespace converter
