#pragma once

#include "font.h"
#include "image.h"

#include <cstdint>
#include <unordered_map>

namespace converter {

// Renders glyphs hinted and anti-aliased, each once at each size, for as
// long as it lives: a list of addresses repeats the same few dozen
// characters on every line and in every image. A thread's own, like its font.
class GlyphCache {
public:
    explicit GlyphCache(Font& font) : font_(font) {}
    // Before the font: it gives back the sizes it made on the font's faces.
    ~GlyphCache();
    GlyphCache(const GlyphCache&) = delete;
    GlyphCache& operator=(const GlyphCache&) = delete;

    Font& font() { return font_; }

    // scale sizes the glyph from the tool's em size: under 1 for a glyph
    // shrunk into its cells, up to kMaxScale for a larger image.
    const GlyphBitmap& bitmap(std::size_t face, unsigned glyph, double scale);

private:
    GlyphBitmap render(std::size_t face, unsigned glyph, std::uint64_t scaleSteps);
    // Makes the face draw at the scale until its em size is made active again.
    bool useSize(std::size_t face, std::uint64_t scaleSteps);

    Font& font_;
    std::unordered_map<std::uint64_t, GlyphBitmap> cache_;
    std::unordered_map<std::uint64_t, FT_Size> sizes_; // by face and scale, besides the em size
};

} // namespace converter
