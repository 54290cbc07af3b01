#include "imageformat.h"

#include "jpegencoder.h"
#include "pngencoder.h"

namespace converter {
namespace {

// 256 MiB of coverage: far beyond any list of addresses, and still an amount
// of memory any machine that runs the program can spare.
constexpr std::int64_t kMaxPixels = std::int64_t(1) << 28;

} // namespace

const char* toolName(ImageFormat format) {
    return format == ImageFormat::Png ? "TXT2PNG.exe" : "TXT2JPG.exe";
}

SizeLimits sizeLimits(ImageFormat format) {
    return {format == ImageFormat::Png ? kPngMaxSide : kJpegMaxSide, kMaxPixels};
}

} // namespace converter
