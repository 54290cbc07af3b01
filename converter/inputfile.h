#pragma once

#include <cstddef>
#include <string>

namespace converter {

// Larger texts are refused before they are read: no sensible image comes from
// them, and the memory a run takes must stay bounded whatever it is given.
inline constexpr std::size_t kMaxInputBytes = 16u << 20;

// Reads the whole file at path. Throws ConversionError (UnreadableInput) when
// the path is empty, missing, not a regular file (a folder, a pipe, a
// device), unreadable or over kMaxInputBytes.
std::string readInputFile(const std::string& path);

} // namespace converter
