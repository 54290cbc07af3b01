#include "drawtext.h"

#include "conversionerror.h"
#include "glyphcache.h"
#include "layout.h"

#include <cmath>
#include <cstdio>
#include <new>
#include <string>

namespace converter {
namespace {

std::string describe(const TextSize& size) {
    char text[96];
    std::snprintf(text, sizeof text, "%.2f x %.2f pixels", double(size.width), double(size.height));
    return text;
}

struct PixelSize {
    int width;
    int height;
};

PixelSize checkedPixelSize(const TextSize& size, const SizeLimits& limits) {
    if (!(size.width >= 1 && size.height >= 1))
        throw ConversionError(FailureKind::NothingToDraw,
                              "the text has nothing to draw (it measures " + describe(size) + ")");
    // Compared as floats first: a measure beyond any integer type is refused
    // before it is converted.
    if (size.width >= float(limits.maxSide) + 1 || size.height >= float(limits.maxSide) + 1)
        throw ConversionError(FailureKind::ImageTooLarge,
                              "the image would measure " + describe(size) +
                                  "; a side may be at most " + std::to_string(limits.maxSide) +
                                  " pixels in this format");
    const PixelSize pixels{static_cast<int>(size.width), static_cast<int>(size.height)};
    if (std::int64_t(pixels.width) * pixels.height > limits.maxPixels)
        throw ConversionError(FailureKind::ImageTooLarge,
                              "the image would measure " + describe(size) + ", more than " +
                                  std::to_string(limits.maxPixels) + " pixels");
    return pixels;
}

} // namespace

Image DrawText(std::u32string_view text, Font& font, Rgb textColor, Rgb backColor,
               const SizeLimits& limits, const std::atomic<bool>* stop) {
    TextLayout layout(text, font);
    const PixelSize size = checkedPixelSize(layout.measure(), limits);
    try {
        Image image(size.width, size.height, textColor, backColor);
        GlyphCache cache(font);
        // Whole pixels keep hinted stems crisp.
        layout.place([&](const std::vector<PlacedGlyph>& glyphs) {
            if (stop && stop->load(std::memory_order_relaxed))
                throw DrawingAbandoned{};
            for (const PlacedGlyph& g : glyphs)
                image.drawGlyph(cache.bitmap(g.face, g.glyph, g.scale), int(std::lround(g.x)),
                                int(std::lround(g.y)));
        });
        return image;
    } catch (const std::bad_alloc&) {
        throw ConversionError(FailureKind::ImageTooLarge,
                              "not enough memory for an image of " + std::to_string(size.width) +
                                  " x " + std::to_string(size.height) + " pixels");
    }
}

} // namespace converter
