#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace converter {

struct Rgb {
    std::uint8_t r, g, b;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// A rendered glyph: anti-aliased coverage, 0 (no ink) to 255.
struct GlyphBitmap {
    int left = 0; // from the pen to the bitmap's left edge
    int top = 0;  // from the baseline up to the bitmap's top edge
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> coverage;
};

// The drawn image, held as ink coverage with the two colours it is drawn in.
// Every pixel is opaque: back colour where no ink fell, text colour where ink
// covers it fully. One byte a pixel keeps large images small; the encoders ask
// for finished RGB rows one at a time.
class Image {
public:
    Image(int width, int height, Rgb textColor, Rgb backColor);

    int width() const { return width_; }
    int height() const { return height_; }

    // Lays the glyph over the image with its origin at (x, y); what falls
    // outside is clipped.
    void drawGlyph(const GlyphBitmap& glyph, int x, int y);
    // Writes row y as width() RGB triples.
    void rgbRow(int y, std::uint8_t* out) const;

private:
    int width_;
    int height_;
    std::array<Rgb, 256> shades_; // the colour of each coverage value
    std::vector<std::uint8_t> coverage_;
};

} // namespace converter
