// Feeds arbitrary bytes through what one tool run does between reading the
// text file and writing the image: decode, lay out, draw, encode.

#include "conversionerror.h"
#include "drawtext.h"
#include "font.h"
#include "imageformat.h"
#include "textdecode.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace {

std::FILE* discardingFile() {
    static std::FILE* file = std::fopen("/dev/null", "wb");
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace converter;
    // One font for every input, as a run opens one: fallback faces found for
    // one input are reused by the next.
    static Font font;
    // The length picks the format, so both encoders see every kind of text
    // without a byte of the text spent on choosing.
    const ImageFormat format = size % 2 == 0 ? ImageFormat::Png : ImageFormat::Jpeg;
    const std::u32string text =
        decodeText(std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        const Image image = DrawText(text, font, DrawStyle{}, sizeLimits(format));
        std::rewind(discardingFile());
        encodeImage(format, image, discardingFile());
    } catch (const ConversionError&) {
        // Refusing a text (nothing to draw, too large) is a sound answer.
    }
    return 0;
}
