#include "conversion.h"

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
    file.write(image, encode);
    file.commit();
}

} // namespace converter
