#pragma once

#include "conversionerror.h"
#include "glyphcache.h"
#include "image.h"

#include <atomic>
#include <cstdint>
#include <string_view>

namespace converter {

// The largest image a run may make, checked before any pixel is allocated.
struct SizeLimits {
    std::int64_t maxSide;
    std::int64_t maxPixels;
};

// Draws text in the cache's font on an image exactly as large as its
// measured layout box (truncated to whole pixels) times the style's scale,
// the ground everywhere, the text in the ink colour from the top-left corner.
// Throws ConversionError: NothingToDraw for a box under one pixel (an empty
// text), ImageTooLarge beyond limits; and DrawingAbandoned as soon as `stop`
// is seen set, between two lines.
Image DrawText(std::u32string_view text, GlyphCache& glyphs, const DrawStyle& style,
               const SizeLimits& limits, const std::atomic<bool>* stop = nullptr);

} // namespace converter
