#include "glyphcache.h"

#include <cstring>

namespace converter {

const GlyphBitmap& GlyphCache::bitmap(std::size_t face, unsigned glyph) {
    const std::uint64_t key = (std::uint64_t(face) << 32) | glyph;
    auto found = cache_.find(key);
    if (found == cache_.end())
        found = cache_.emplace(key, render(font_.face(face), glyph)).first;
    return found->second;
}

GlyphBitmap GlyphCache::render(FontFace& face, unsigned glyph) {
    GlyphBitmap bitmap;
    FT_Face ft = face.ft();
    // Outlines, never a font's embedded one-bit bitmaps, so every glyph is
    // anti-aliased alike; hinted as the library was set up (font.cpp).
    if (FT_Load_Glyph(ft, glyph, FT_LOAD_TARGET_NORMAL | FT_LOAD_NO_BITMAP) != 0 ||
        FT_Render_Glyph(ft->glyph, FT_RENDER_MODE_NORMAL) != 0 ||
        ft->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
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
