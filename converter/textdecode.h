#pragma once

#include <string>
#include <string_view>

namespace converter {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the bytes of a text file into code points. A byte-order mark at the
// start selects UTF-8, UTF-16 or UTF-32 (little- or big-endian) and is not part
// of the text; without one the bytes are UTF-8. Every malformed sequence
// becomes U+FFFD; nothing else is dropped or changed.
std::u32string decodeText(std::string_view bytes);

} // namespace converter
