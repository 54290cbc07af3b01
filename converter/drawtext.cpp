#include "drawtext.h"

#include "conversionerror.h"
#include "layout.h"

#include <cmath>
#include <cstdio>
#include <new>
#include <string>

namespace converter {
namespace {

std::string describe(const TextSize& size, int scale) {
    char text[96];
    std::snprintf(text, sizeof text, "%.2f x %.2f pixels", double(size.width) * scale,
                  double(size.height) * scale);
    return text;
}

struct PixelSize {
    int width;
    int height;
};

// The scale-1 box truncated to whole pixels, then multiplied: a scale-N image
// is exactly N times the scale-1 image, whatever the fractions.
PixelSize checkedPixelSize(const TextSize& size, int scale, const SizeLimits& limits) {
    if (!(size.width >= 1 && size.height >= 1))
        throw ConversionError(FailureKind::NothingToDraw,
                              "the text has nothing to draw (it measures " + describe(size, 1) +
                                  ")");
    // Compared as floats first: a measure beyond any integer type is refused
    // before it is converted.
    const std::int64_t longest = limits.maxSide / scale;
    if (size.width >= float(longest) + 1 || size.height >= float(longest) + 1)
        throw ConversionError(FailureKind::ImageTooLarge,
                              "the image would measure " + describe(size, scale) +
                                  "; a side may be at most " + std::to_string(limits.maxSide) +
                                  " pixels in this format");
    const PixelSize pixels{static_cast<int>(size.width) * scale,
                           static_cast<int>(size.height) * scale};
    if (std::int64_t(pixels.width) * pixels.height > limits.maxPixels)
        throw ConversionError(FailureKind::ImageTooLarge,
                              "the image would measure " + describe(size, scale) + ", more than " +
                                  std::to_string(limits.maxPixels) + " pixels");
    return pixels;
}

} // namespace

Image DrawText(std::u32string_view text, GlyphCache& glyphs, const DrawStyle& style,
               const SizeLimits& limits, const std::atomic<bool>* stop) {
    TextLayout layout(text, glyphs.font(), stop);
    const int scale = style.scale;
    const PixelSize size = checkedPixelSize(layout.measure(), scale, limits);
    try {
        Image image(size.width, size.height, style);
        // Whole pixels keep hinted stems crisp. The outlines are rendered at
        // the scale, never a scale-1 bitmap enlarged.
        layout.place([&](const std::vector<PlacedGlyph>& placed) {
            for (const PlacedGlyph& g : placed)
                image.drawGlyph(glyphs.bitmap(g.face, g.glyph, g.scale * scale),
                                int(std::lround(g.x * float(scale))),
                                int(std::lround(g.y * float(scale))));
        });
        return image;
    } catch (const std::bad_alloc&) {
        throw ConversionError(FailureKind::ImageTooLarge,
                              "not enough memory for an image of " + std::to_string(size.width) +
                                  " x " + std::to_string(size.height) + " pixels");
    }
}

} // namespace converter
