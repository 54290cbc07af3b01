#include "pngencoder.h"

#include "encodererror.h"

#include <cerrno>
#include <csetjmp>
#include <png.h>
#include <string>
#include <vector>

namespace converter {
namespace {

static_assert(kPngMaxSide == PNG_USER_WIDTH_MAX && kPngMaxSide == PNG_USER_HEIGHT_MAX,
              "libpng's default limits changed");

constexpr png_uint_32 kPixelsPerMetreAt96Dpi = 3780;

// zlib's default hash table is 64 KiB, cleared at the start: fresh pages
// that cost a one-line image more than compressing it. A small table packs
// such an image just as well.
constexpr std::size_t kSmallImageBytes = 64 * 1024;
constexpr int kSmallImageMemLevel = 4;

struct Failure {
    int errnoAtFailure = 0;
    std::string message;
};

void onError(png_structp png, png_const_charp message) {
    auto* failure = static_cast<Failure*>(png_get_error_ptr(png));
    failure->errnoAtFailure = errno;
    failure->message = message;
    png_longjmp(png, 1);
}

// A normal run prints nothing, warnings included.
void onWarning(png_structp, png_const_charp) {}

// libpng reports an error by jumping back to the setjmp here; no object with a
// destructor lives in this frame, so the jump skips none.
bool writePng(png_structp png, png_infop info, const Image& image, std::FILE* file, png_bytep row) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
                 static_cast<png_uint_32>(image.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, kPixelsPerMetreAt96Dpi, kPixelsPerMetreAt96Dpi, PNG_RESOLUTION_METER);
    // Black text on white is mostly long runs of one value, which deflate
    // packs best unfiltered: files about a third smaller than with libpng's
    // adaptive filters, and written in two thirds of the time.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    const std::size_t rowBytes = static_cast<std::size_t>(image.width()) * 3;
    if (rowBytes * static_cast<std::size_t>(image.height()) < kSmallImageBytes)
        png_set_compression_mem_level(png, kSmallImageMemLevel);
    png_write_info(png, info);
    for (int y = 0; y < image.height(); ++y) {
        image.rgbRow(y, row);
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

} // namespace

void encodePng(const Image& image, std::FILE* file) {
    Failure failure;
    std::vector<png_byte> row(static_cast<std::size_t>(image.width()) * 3);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool written = info && writePng(png, info, image, file, row.data());
    png_destroy_write_struct(&png, &info);
    if (!written)
        throw encoderError(file, failure.errnoAtFailure, "PNG encoding failed: " + failure.message);
}

} // namespace converter
