#pragma once

#include "imageformat.h"

#include <string>

namespace converter {

// One run of the tool: reads the text file, draws the text in the tool's font,
// black on white, and writes the image in format at imagePath, replacing any
// file there only once the new image is complete, with encode, the format's
// encoder. Throws ConversionError.
void convertTextFile(const std::string& textPath, const std::string& imagePath, ImageFormat format,
                     Encoder encode);

} // namespace converter
