#pragma once

#include "image.h"

#include <cstdio>

namespace converter {

// libpng writes and, by default, reads no PNG with a side over 1,000,000
// pixels, though the format allows 2^31 - 1: an image that most programs
// built on it would refuse to open is refused here before it is drawn.
inline constexpr int kPngMaxSide = 1000000;

// Writes image as an 8-bit RGB PNG (every pixel is opaque, so no alpha
// channel) that records 96 DPI. Throws ConversionError (UnwritableOutput).
void encodePng(const Image& image, std::FILE* file);

} // namespace converter
