#pragma once

#include "font.h"
#include "image.h"

#include <cstdint>
#include <unordered_map>

namespace converter {

// Renders glyphs hinted and anti-aliased, each once per run: a list of
// addresses repeats the same few dozen characters on every line.
class GlyphCache {
public:
    explicit GlyphCache(Font& font) : font_(font) {}

    const GlyphBitmap& bitmap(std::size_t face, unsigned glyph);

private:
    GlyphBitmap render(FontFace& face, unsigned glyph);

    Font& font_;
    std::unordered_map<std::uint64_t, GlyphBitmap> cache_;
};

} // namespace converter
