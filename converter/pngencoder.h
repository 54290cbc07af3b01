#pragma once

#include "image.h"

#include <atomic>
#include <cstdio>

namespace converter {

// libpng writes and, by default, reads no PNG with a side over 1,000,000
// pixels, though the format allows 2^31 - 1: an image that most programs
// built on it would refuse to open is refused here before it is drawn.
inline constexpr int kPngMaxSide = 1000000;

// Writes image as an 8-bit PNG in the smallest exact form for its pixels
// (pngform.h): greyscale when every pixel is grey, with alpha on a clear
// ground; otherwise the smaller of a palette and true colour. Records 96 DPI.
// Throws ConversionError (UnwritableOutput).
void encodePng(const Image& image, std::FILE* file, const std::atomic<bool>* stop);

} // namespace converter
