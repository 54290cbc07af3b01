#pragma once

#include "drawtext.h"
#include "image.h"

#include <cstdio>

namespace converter {

enum class ImageFormat { Png, Jpeg };

// "TXT2PNG.exe" or "TXT2JPG.exe", as the usage line and messages name the tool.
const char* toolName(ImageFormat format);

// What the format can hold, within what a run may allocate.
SizeLimits sizeLimits(ImageFormat format);

// Writes image in format: encodePng or encodeJpeg, each from its own
// library, so that a tool making one format links only that one's.
// Either gives up (DrawingAbandoned) soon after `stop` is seen set.
using Encoder = void (*)(const Image& image, std::FILE* file, const std::atomic<bool>* stop);

// Either format's encoder, for a program that makes both (the library
// orvanta_converter).
Encoder encoderFor(ImageFormat format);

} // namespace converter
