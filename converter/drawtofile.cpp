#include "drawtofile.h"

#include "conversionerror.h"
#include "drawtext.h"
#include "outputfile.h"

namespace converter {
namespace {

void writeImage(const Image& image, ImageFormat format, ReplacingFile& file,
                const std::string& shownAs) {
    try {
        encodeImage(format, image, file.stream());
    } catch (const ConversionError& error) {
        throw ConversionError(error.kind(),
                              "cannot write image '" + shownAs + "': " + error.what());
    }
}

} // namespace

DrawnSize DrawTextToFiles(std::u32string_view text, GlyphCache& glyphs, ImageFormat format,
                          int root, const std::vector<ImageFile>& files, const DrawingStop& stop) {
    DrawnSize size{0, 0};
    for (const ImageFile& target : files) {
        const Image image =
            DrawText(text, glyphs, target.style, sizeLimits(format), &stop.requested);
        size = {image.width() / target.style.scale, image.height() / target.style.scale};
        ReplacingFile file(root, target.name, target.shownAs);
        writeImage(image, format, file, target.shownAs);
        const std::lock_guard placing(stop.placing);
        if (stop.requested.load())
            throw DrawingAbandoned{};
        file.commit();
    }
    return size;
}

} // namespace converter
