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

DrawnSize DrawTextToFile(std::u32string_view text, Font& font, ImageFormat format, int root,
                         const std::string& name, const std::string& shownAs,
                         const DrawingStop& stop) {
    const Image image = DrawText(text, font, DrawStyle{}, sizeLimits(format), &stop.requested);
    ReplacingFile file(root, name, shownAs);
    writeImage(image, format, file, shownAs);
    const std::lock_guard placing(stop.placing);
    if (stop.requested.load())
        throw DrawingAbandoned{};
    file.commit();
    return {image.width(), image.height()};
}

} // namespace converter
