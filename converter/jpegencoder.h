#pragma once

#include "image.h"

#include <atomic>
#include <cstdio>

namespace converter {

// libjpeg refuses sides above 65,500 pixels, a little under the 65,535 that
// the format can hold.
inline constexpr int kJpegMaxSide = 65500;

// Writes image as a baseline JPEG at the usual default quality, 75, with
// libjpeg's default 4:2:0 chroma subsampling, recording 96 DPI. Throws
// ConversionError (UnwritableOutput), also for an image on a clear ground,
// which JPEG cannot hold.
void encodeJpeg(const Image& image, std::FILE* file, const std::atomic<bool>* stop);

} // namespace converter
