#include "jpegencoder.h"

#include "encodererror.h"

#include <cerrno>
#include <csetjmp>
#include <string>
#include <vector>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace converter {
namespace {

static_assert(kJpegMaxSide == JPEG_MAX_DIMENSION, "libjpeg's limit changed");

constexpr int kDefaultQuality = 75;

struct ErrorHandler {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    int errnoAtFailure;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr codec) {
    auto* handler = reinterpret_cast<ErrorHandler*>(codec->err);
    handler->errnoAtFailure = errno;
    codec->err->format_message(codec, handler->message);
    std::longjmp(handler->jump, 1);
}

// A normal run prints nothing, warnings included.
void onMessage(j_common_ptr) {}

// libjpeg reports an error by jumping back to the setjmp here; no object with
// a destructor lives in this frame, so the jump skips none.
bool writeJpeg(jpeg_compress_struct& codec, ErrorHandler& errors, const Image& image,
               std::FILE* file, JSAMPLE* row, const std::atomic<bool>* stop, bool& abandoned) {
    if (setjmp(errors.jump))
        return false;
    jpeg_create_compress(&codec);
    jpeg_stdio_dest(&codec, file);
    codec.image_width = static_cast<JDIMENSION>(image.width());
    codec.image_height = static_cast<JDIMENSION>(image.height());
    codec.input_components = 3;
    codec.in_color_space = JCS_RGB;
    jpeg_set_defaults(&codec);
    jpeg_set_quality(&codec, kDefaultQuality, TRUE);
    codec.density_unit = 1; // dots per inch
    codec.X_density = 96;
    codec.Y_density = 96;
    jpeg_start_compress(&codec, TRUE);
    JSAMPROW rows[] = {row};
    while (codec.next_scanline < codec.image_height) {
        if (StopSeen(stop, static_cast<int>(codec.next_scanline))) {
            abandoned = true;
            return false;
        }
        image.rgbRow(static_cast<int>(codec.next_scanline), row);
        jpeg_write_scanlines(&codec, rows, 1);
    }
    jpeg_finish_compress(&codec);
    return true;
}

} // namespace

void encodeJpeg(const Image& image, std::FILE* file, const std::atomic<bool>* stop) {
    if (image.clearGround())
        throw ConversionError(FailureKind::UnwritableOutput, "JPEG cannot hold a clear ground");
    std::vector<JSAMPLE> row(static_cast<std::size_t>(image.width()) * 3);
    jpeg_compress_struct codec{};
    ErrorHandler errors{};
    codec.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = onError;
    errors.manager.output_message = onMessage;
    bool abandoned = false;
    const bool written = writeJpeg(codec, errors, image, file, row.data(), stop, abandoned);
    jpeg_destroy_compress(&codec);
    if (abandoned)
        throw DrawingAbandoned{};
    if (!written)
        throw encoderError(file, errors.errnoAtFailure,
                           std::string("JPEG encoding failed: ") + errors.message);
}

} // namespace converter
