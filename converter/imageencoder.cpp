#include "imageformat.h"

#include "jpegencoder.h"
#include "pngencoder.h"

namespace converter {

Encoder encoderFor(ImageFormat format) {
    return format == ImageFormat::Png ? encodePng : encodeJpeg;
}

} // namespace converter
