#include "glyphcache.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace converter {

namespace {

// Scales are kept to 1/65535, finer than any pixel of a glyph this size; up
// to kMaxScale they take 18 bits of the key.
constexpr double kScaleSteps = 0xFFFF;

} // namespace

const GlyphBitmap& GlyphCache::bitmap(std::size_t face, unsigned glyph, double scale) {
    const auto steps = static_cast<std::uint64_t>(
        std::lround(std::clamp(scale, 0.0, double(kMaxScale)) * kScaleSteps));
    const std::uint64_t key = (std::uint64_t(face) << 50) | (steps << 32) | glyph;
    auto found = cache_.find(key);
    if (found == cache_.end())
        found = cache_.emplace(key, render(font_.face(face), glyph, steps / kScaleSteps)).first;
    return found->second;
}

GlyphBitmap GlyphCache::render(FontFace& face, unsigned glyph, double scale) {
    GlyphBitmap bitmap;
    FT_Face ft = face.ft();
    // Hinted at the size it is drawn at, then back to the tool's em size.
    const bool sized = scale == 1 || face.setSize(scale);
    // Outlines, never a font's embedded one-bit bitmaps, so every glyph is
    // anti-aliased alike; hinted as the library was set up (font.cpp).
    const bool rendered =
        sized && FT_Load_Glyph(ft, glyph, FT_LOAD_TARGET_NORMAL | FT_LOAD_NO_BITMAP) == 0 &&
        FT_Render_Glyph(ft->glyph, FT_RENDER_MODE_NORMAL) == 0 &&
        ft->glyph->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY;
    if (scale != 1)
        face.setSize(1);
    if (!rendered)
        return bitmap; // drawn as nothing rather than failing the image
    const FT_Bitmap& source = ft->glyph->bitmap;
    bitmap.left = ft->glyph->bitmap_left;
    bitmap.top = ft->glyph->bitmap_top;
    bitmap.width = static_cast<int>(source.width);
    bitmap.rows = static_cast<int>(source.rows);
    bitmap.coverage.resize(static_cast<std::size_t>(bitmap.width) * bitmap.rows);
    for (int row = 0; row < bitmap.rows; ++row)
        std::memcpy(&bitmap.coverage[static_cast<std::size_t>(row) * bitmap.width],
                    source.buffer + static_cast<std::ptrdiff_t>(row) * source.pitch,
                    static_cast<std::size_t>(bitmap.width));
    return bitmap;
}

} // namespace converter
