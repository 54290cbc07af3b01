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

void encodeImage(ImageFormat format, const Image& image, std::FILE* file);

} // namespace converter
