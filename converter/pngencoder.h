#pragma once

#include "image.h"

#include <cstdio>

namespace converter {

// Writes image as an 8-bit RGB PNG (every pixel is opaque, so no alpha
// channel) that records 96 DPI. Throws ConversionError (UnwritableOutput).
void encodePng(const Image& image, std::FILE* file);

} // namespace converter
