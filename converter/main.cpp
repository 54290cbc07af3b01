// TXT2PNG.exe and TXT2JPG.exe: draw a text file into an image file.
//
// Exit status: 0 when the image was written or the usage line printed;
// otherwise the FailureKind of the cause (1 unreadable text file, 2 nothing to
// draw, 3 image too large, 4 image not writable, 5 font unusable), with one
// line naming it on standard error.

#include "conversion.h"
#include "conversionerror.h"

#include <cstdio>
#include <new>

int main(int argc, char** argv) {
    constexpr converter::ImageFormat format = converter::ImageFormat::CONVERTER_FORMAT;
    const char* const tool = converter::toolName(format);
    if (argc < 3) {
        std::printf("Usage: %s <text_file> <output_file>\n", tool);
        return 0;
    }
    try {
        converter::convertTextFile(argv[1], argv[2], format);
        return 0;
    } catch (const converter::ConversionError& error) {
        std::fprintf(stderr, "%s: %s\n", tool, error.what());
        return static_cast<int>(error.kind());
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s: not enough memory\n", tool);
        return static_cast<int>(converter::FailureKind::ImageTooLarge);
    }
}
