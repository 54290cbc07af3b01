#include "drawtofile.h"

#include "drawtext.h"
#include "outputfile.h"

namespace converter {

DrawnSize DrawTextToFiles(std::u32string_view text, GlyphCache& glyphs, ImageFormat format,
                          int root, const std::vector<ImageFile>& files, const DrawingStop& stop) {
    DrawnSize size{0, 0};
    for (const ImageFile& target : files) {
        const Image image =
            DrawText(text, glyphs, target.style, sizeLimits(format), &stop.requested);
        size = {image.width() / target.style.scale, image.height() / target.style.scale};
        ReplacingFile file(root, target.name, target.shownAs);
        file.write(image, encoderFor(format), &stop.requested);
        const std::lock_guard placing(stop.placing);
        if (stop.requested.load())
            throw DrawingAbandoned{};
        file.commit();
    }
    return size;
}

} // namespace converter
