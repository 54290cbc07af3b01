#include "imageformat.h"

#include "jpegencoder.h"
#include "pngencoder.h"

namespace converter {

void encodeImage(ImageFormat format, const Image& image, std::FILE* file) {
    if (format == ImageFormat::Png)
        encodePng(image, file);
    else
        encodeJpeg(image, file);
}

} // namespace converter
