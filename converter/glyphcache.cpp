#include "glyphcache.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include FT_SIZES_H

namespace converter {

namespace {

// Scales are kept to 1/65535, finer than any pixel of a glyph this size; up
// to kMaxScale they take 18 bits of the key.
constexpr double kScaleSteps = 0xFFFF;

} // namespace

GlyphCache::~GlyphCache() {
    for (const auto& [key, size] : sizes_)
        FT_Done_Size(size);
}

const GlyphBitmap& GlyphCache::bitmap(std::size_t face, unsigned glyph, double scale) {
    const auto steps = static_cast<std::uint64_t>(
        std::lround(std::clamp(scale, 0.0, double(kMaxScale)) * kScaleSteps));
    const std::uint64_t key = (std::uint64_t(face) << 50) | (steps << 32) | glyph;
    auto found = cache_.find(key);
    if (found == cache_.end())
        found = cache_.emplace(key, render(face, glyph, steps)).first;
    return found->second;
}

// Setting a hinted face to a new size runs the font's own set-up program,
// which cost more than drawing a whole image at twice the size: each size is
// set up once, as a size object of its own, and only switched to.
bool GlyphCache::useSize(std::size_t index, std::uint64_t steps) {
    if (steps == std::uint64_t(kScaleSteps))
        return true; // the face's own size, the tool's em size
    FontFace& face = font_.face(index);
    const std::uint64_t key = (std::uint64_t(index) << 32) | steps;
    if (const auto found = sizes_.find(key); found != sizes_.end())
        return FT_Activate_Size(found->second) == 0;
    FT_Size size = nullptr;
    if (FT_New_Size(face.ft(), &size) != 0)
        return false;
    if (FT_Activate_Size(size) != 0 || !face.setSize(steps / kScaleSteps)) {
        FT_Done_Size(size);
        return false;
    }
    sizes_.emplace(key, size);
    return true;
}

GlyphBitmap GlyphCache::render(std::size_t index, unsigned glyph, std::uint64_t steps) {
    GlyphBitmap bitmap;
    FT_Face ft = font_.face(index).ft();
    const FT_Size emSize = ft->size;
    // Hinted at the size it is drawn at; outlines, never a font's embedded
    // one-bit bitmaps, so every glyph is anti-aliased alike; hinted as the
    // library was set up (font.cpp).
    const bool rendered =
        useSize(index, steps) &&
        FT_Load_Glyph(ft, glyph, FT_LOAD_TARGET_NORMAL | FT_LOAD_NO_BITMAP) == 0 &&
        FT_Render_Glyph(ft->glyph, FT_RENDER_MODE_NORMAL) == 0 &&
        ft->glyph->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY;
    FT_Activate_Size(emSize);
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
