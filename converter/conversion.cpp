#include "conversion.h"

#include "conversionerror.h"
#include "drawtext.h"
#include "inputfile.h"
#include "outputfile.h"
#include "textdecode.h"

namespace converter {

void convertTextFile(const std::string& textPath, const std::string& imagePath, ImageFormat format,
                     Encoder encode) {
    // The file's bytes are released before drawing starts.
    const std::u32string text = decodeText(readInputFile(textPath));
    Font font;
    GlyphCache glyphs(font);
    const Image image = DrawText(text, glyphs, DrawStyle{}, sizeLimits(format));
    ReplacingFile file(imagePath);
    try {
        encode(image, file.stream());
    } catch (const ConversionError& error) {
        throw ConversionError(error.kind(),
                              "cannot write image '" + imagePath + "': " + error.what());
    }
    file.commit();
}

} // namespace converter
