#pragma once

#include <string>
#include <vector>

namespace converter {

// Font files whose names suggest the named font ("lucon.ttf",
// "LucidaConsole.ttf", ...), found in the usual font folders without starting
// fontconfig. The caller still checks the family inside each file.
std::vector<std::string> namedFontCandidates();

} // namespace converter
