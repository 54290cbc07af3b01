#pragma once

#include "image.h"

#include <array>
#include <png.h>
#include <vector>

namespace converter {

// One exact way to store an image's pixels in an 8-bit PNG.
struct PngForm {
    int colorType;
    int bytesPerPixel;
    // Palette forms: one entry (and alpha on a clear ground) for each
    // coverage value the image uses, and each value's index.
    std::array<png_color, 256> palette{};
    std::array<png_byte, 256> alphas{};
    std::array<png_byte, 256> index{};
    int colours = 0;
};

// The forms that hold the image's pixels exactly, the one expected smallest
// first: greyscale alone when every pixel is grey (with alpha on a clear
// ground); otherwise a palette, which anti-aliased text on one ground always
// fits (a colour for each of the 256 coverage values), then true colour.
std::vector<PngForm> ExactPngForms(const Image& image);

// Writes row y in the form, width() times bytesPerPixel bytes.
void PngFormRow(const Image& image, const PngForm& form, int y, png_bytep out);

} // namespace converter
