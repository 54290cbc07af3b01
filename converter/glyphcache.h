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

    // scale sizes the glyph from the tool's em size: under 1 for a glyph
    // shrunk into its cells, up to kMaxScale for a larger image.
    const GlyphBitmap& bitmap(std::size_t face, unsigned glyph, double scale);

private:
    GlyphBitmap render(FontFace& face, unsigned glyph, double scale);

    Font& font_;
    std::unordered_map<std::uint64_t, GlyphBitmap> cache_;
};

} // namespace converter
