// TXT2PNG.exe and TXT2JPG.exe: draw a text file into an image file.
//
// Exit status: 0 when the image was written or the usage line printed;
// otherwise the FailureKind of the cause (1 unreadable text file, 2 nothing to
// draw, 3 image too large, 4 image not writable, 5 font unusable), with one
// line naming it on standard error.

#include "conversion.h"
#include "conversionerror.h"
#include "jpegencoder.h"
#include "pngencoder.h"

#include <cstdio>
#include <new>
#include <string>

namespace {

// At most this many bytes of a message reach the terminal: a path may hold
// an address of megabytes.
constexpr size_t kShownBytes = 400;

bool continuesUtf8(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The message as a terminal may show it: control characters (C0, DEL, and C1
// in UTF-8) written as escapes, so that a file name cannot retitle or clear
// the terminal; a long one cut in the middle, where the path stands.
std::string printable(const std::string& message) {
    std::string shown;
    for (size_t i = 0; i < message.size(); ++i) {
        const auto byte = static_cast<unsigned char>(message[i]);
        const auto next = i + 1 < message.size() ? static_cast<unsigned char>(message[i + 1]) : 0;
        char escape[8];
        if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            shown += escape;
        } else if (byte == 0xC2 && next >= 0x80 && next < 0xA0) {
            std::snprintf(escape, sizeof escape, "\\u%04x", next);
            shown += escape;
            ++i;
        } else {
            shown += static_cast<char>(byte);
        }
    }
    if (shown.size() <= kShownBytes)
        return shown;
    size_t head = kShownBytes * 3 / 4, tail = shown.size() - kShownBytes / 4;
    while (head > 0 && continuesUtf8(static_cast<unsigned char>(shown[head])))
        --head;
    while (tail < shown.size() && continuesUtf8(static_cast<unsigned char>(shown[tail])))
        ++tail;
    return shown.substr(0, head) + "..." + shown.substr(tail);
}

} // namespace

int main(int argc, char** argv) {
    constexpr converter::ImageFormat format = converter::ImageFormat::CONVERTER_FORMAT;
    const char* const tool = converter::toolName(format);
    if (argc < 3) {
        std::printf("Usage: %s <text_file> <output_file>\n", tool);
        return 0;
    }
    try {
        converter::convertTextFile(argv[1], argv[2], format, converter::CONVERTER_ENCODER);
        return 0;
    } catch (const converter::ConversionError& error) {
        std::fprintf(stderr, "%s: %s\n", tool, printable(error.what()).c_str());
        return static_cast<int>(error.kind());
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s: not enough memory\n", tool);
        return static_cast<int>(converter::FailureKind::ImageTooLarge);
    }
}
