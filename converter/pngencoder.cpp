#include "pngencoder.h"

#include "encodererror.h"
#include "pngform.h"

#include <cerrno>
#include <csetjmp>
#include <new>
#include <string>
#include <vector>
#include <zlib.h>

namespace converter {
namespace {

static_assert(kPngMaxSide == PNG_USER_WIDTH_MAX && kPngMaxSide == PNG_USER_HEIGHT_MAX,
              "libpng's default limits changed");

constexpr png_uint_32 kPixelsPerMetreAt96Dpi = 3780;

// Text on one ground is short runs between long ones of one value. zlib's
// level 4 keeping only its longer matches (Z_FILTERED) packed addresses as
// small as its default level 6 did (0.6 % larger at scale 1, 1-2 % smaller
// at scales 2 and 3) in 40 % (scale 1) to 60 % (scale 3) less time.
constexpr int kCompressionLevel = 4;

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

// A palette's table costs up to 1 KiB, so true colour made the smaller file
// for some coloured images of one short address (measured: files under
// 2.5 KiB); from a few KiB on the palette was always far smaller (a tenth to
// a half of true colour), and a second try is not worth its time.
constexpr std::size_t kCompareFormsBelowBytes = 64 * 1024;

// Collects libpng's output when forms are compared before one is written.
void appendToMemory(png_structp png, png_bytep data, png_size_t length) {
    auto* memory = static_cast<std::vector<png_byte>*>(png_get_io_ptr(png));
    bool grown = true;
    try {
        memory->insert(memory->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        grown = false;
    }
    if (!grown)
        png_error(png, "not enough memory");
}

// libpng reports an error by jumping back to the setjmp here; no object with a
// destructor lives in this frame, so the jump skips none.
bool writePng(png_structp png, png_infop info, const Image& image, const PngForm& form,
              std::FILE* file, std::vector<png_byte>* memory, png_bytep row,
              const std::atomic<bool>* stop, bool& abandoned) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    if (memory)
        png_set_write_fn(png, memory, appendToMemory, nullptr);
    else
        png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
                 static_cast<png_uint_32>(image.height()), 8, form.colorType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (form.colorType == PNG_COLOR_TYPE_PALETTE) {
        png_set_PLTE(png, info, form.palette.data(), form.colours);
        if (image.clearGround())
            png_set_tRNS(png, info, form.alphas.data(), form.colours, nullptr);
    }
    png_set_pHYs(png, info, kPixelsPerMetreAt96Dpi, kPixelsPerMetreAt96Dpi, PNG_RESOLUTION_METER);
    // Text on one ground is mostly long runs of one value, which deflate
    // packs best unfiltered: files about a third smaller than with libpng's
    // adaptive filters, and written in two thirds of the time.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, kCompressionLevel);
    png_set_compression_strategy(png, Z_FILTERED);
    png_write_info(png, info);
    for (int y = 0; y < image.height(); ++y) {
        if (StopSeen(stop, y)) {
            abandoned = true;
            return false;
        }
        PngFormRow(image, form, y, row);
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

// Writes the image in the form to the file, or into memory when given.
void encodeForm(const Image& image, const PngForm& form, std::FILE* file,
                std::vector<png_byte>* memory, const std::atomic<bool>* stop) {
    Failure failure;
    std::vector<png_byte> row(static_cast<std::size_t>(image.width()) * form.bytesPerPixel);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool abandoned = false;
    const bool written =
        info && writePng(png, info, image, form, file, memory, row.data(), stop, abandoned);
    png_destroy_write_struct(&png, &info);
    if (abandoned)
        throw DrawingAbandoned{};
    if (!written)
        throw encoderError(file, failure.errnoAtFailure, "PNG encoding failed: " + failure.message);
}

} // namespace

void encodePng(const Image& image, std::FILE* file, const std::atomic<bool>* stop) {
    const std::vector<PngForm> forms = ExactPngForms(image);
    if (forms.size() == 1)
        return encodeForm(image, forms.front(), file, nullptr, stop);
    std::vector<png_byte> smallest, next;
    encodeForm(image, forms.front(), file, &smallest, stop);
    for (std::size_t i = 1; i < forms.size() && smallest.size() < kCompareFormsBelowBytes; ++i) {
        next.clear();
        encodeForm(image, forms[i], file, &next, stop);
        if (next.size() < smallest.size())
            smallest.swap(next);
    }
    if (std::fwrite(smallest.data(), 1, smallest.size(), file) != smallest.size())
        throw encoderError(file, errno, "PNG encoding failed: the file could not be written");
}

} // namespace converter
