#pragma once

#include <optional>
#include <string>

namespace converter {

struct FontFileRef {
    std::string path;
    int index;
};

// A system font with an outline glyph for c, monospaced ones first, as
// fontconfig ranks them; nothing when no font has c. Starts fontconfig on the
// first call, so it is only called for characters the primary font lacks.
std::optional<FontFileRef> findFallbackFont(char32_t c);

} // namespace converter
