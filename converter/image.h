#pragma once

#include "drawstyle.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace converter {

// A rendered glyph: anti-aliased coverage, 0 (no ink) to 255.
struct GlyphBitmap {
    int left = 0; // from the pen to the bitmap's left edge
    int top = 0;  // from the baseline up to the bitmap's top edge
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> coverage;
};

// The drawn image, held as ink coverage with the colours it is drawn in. On a
// ground every pixel is opaque: the ground colour where no ink fell, the ink
// colour where ink covers it fully. On a clear ground every pixel is the ink
// colour with the coverage as its alpha. One byte a pixel keeps large images
// small; the encoders ask for finished rows one at a time.
class Image {
public:
    Image(int width, int height, const DrawStyle& style);

    int width() const { return width_; }
    int height() const { return height_; }
    bool clearGround() const { return clearGround_; }
    Rgb ink() const { return ink_; }

    // Lays the glyph over the image with its origin at (x, y); what falls
    // outside is clipped.
    void drawGlyph(const GlyphBitmap& glyph, int x, int y);

    // Row y's coverage, width() bytes.
    const std::uint8_t* coverageRow(int y) const;
    // The opaque colour a coverage value shows on the ground.
    Rgb shade(std::uint8_t coverage) const { return shades_[coverage]; }
    // Writes row y as width() RGB triples on the ground.
    void rgbRow(int y, std::uint8_t* out) const;
    // Which coverage values occur anywhere in the image.
    std::bitset<256> coverageUsed() const;

private:
    int width_;
    int height_;
    Rgb ink_;
    bool clearGround_;
    std::array<Rgb, 256> shades_; // the colour of each coverage value
    struct FreeBytes {
        void operator()(std::uint8_t* bytes) const { std::free(bytes); }
    };
    // Zeroed by the allocator: a large image's fresh pages are not written
    // until ink falls on them, so one near the size limit starts at once.
    std::unique_ptr<std::uint8_t[], FreeBytes> coverage_;
};

} // namespace converter
