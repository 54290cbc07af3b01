#include "font.h"

#include "cellmetrics.h"
#include "conversionerror.h"
#include "namedfont.h"
#include "substitutefont.h"

#include <cstring>
#include FT_DRIVER_H
#include FT_MODULE_H

namespace converter {
namespace {

bool isRegularNamedFont(FT_Face face) {
    return face->family_name && std::strcmp(face->family_name, kNamedFontFamily) == 0 &&
           (face->style_flags & (FT_STYLE_FLAG_BOLD | FT_STYLE_FLAG_ITALIC)) == 0;
}

} // namespace

Font::Font() {
    if (FT_Init_FreeType(&library_) != 0)
        throw ConversionError(FailureKind::FontUnusable, "cannot start the font engine");
    // The fonts' own TrueType hinting in both directions, as the platform the
    // tool follows applies it: stems snap to whole pixels and stay crisp at
    // this size. FreeType's default hints only vertically.
    FT_UInt fullHinting = TT_INTERPRETER_VERSION_35;
    FT_Property_Set(library_, "truetype", "interpreter-version", &fullHinting);
    std::unique_ptr<FontFace> primary = openNamedFont();
    if (!primary) {
        for (const char* file : kSubstituteFontFiles)
            if (!primary)
                primary = FontFace::fromFile(library_, file, 0);
        if (!primary) {
            FT_Done_FreeType(library_);
            throw ConversionError(FailureKind::FontUnusable,
                                  "cannot read the font Liberation Mono (fonts-liberation2)");
        }
        // Its advance is 0.600 em against the named font's 0.6025: widen the
        // cell so lines measure what they measure with the named font.
        primary->fitAdvancesToCell(primary->designAdvance(primary->glyphFor(U'M')));
    }
    faces_.push_back(std::move(primary));
}

Font::~Font() {
    faces_.clear();
    FT_Done_FreeType(library_);
}

std::unique_ptr<FontFace> Font::openNamedFont() {
    for (const std::string& path : namedFontCandidates()) {
        std::unique_ptr<FontFace> face = FontFace::fromFile(library_, path, 0);
        if (face && isRegularNamedFont(face->ft()))
            return face;
    }
    return nullptr;
}

std::size_t Font::faceFor(char32_t c) {
    for (std::size_t i = 0; i < faces_.size(); ++i)
        if (faces_[i]->glyphFor(c) != 0)
            return i;
    if (withoutFont_.count(c) != 0)
        return 0;
    return openFallbackFor(c);
}

std::size_t Font::openFallbackFor(char32_t c) {
    const std::optional<FontFileRef> ref = fallbacks_.find(c);
    std::unique_ptr<FontFace> face;
    if (ref)
        face = FontFace::fromFile(library_, ref->path, ref->index);
    // fontconfig's notion of the font's characters and FreeType's may differ;
    // FreeType's decides.
    if (!face || face->glyphFor(c) == 0) {
        withoutFont_.insert(c);
        return 0;
    }
    faces_.push_back(std::move(face));
    return faces_.size() - 1;
}

} // namespace converter
