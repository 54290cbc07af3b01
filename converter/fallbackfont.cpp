#include "fallbackfont.h"

#include <fontconfig/fontconfig.h>

namespace converter {
namespace {

FcConfig* config() {
    static FcConfig* const loaded = FcInitLoadConfigAndFonts();
    return loaded;
}

// Colour bitmap fonts (emoji) are left out: the tool draws in one colour with
// grayscale coverage, as the platform it follows drew such characters.
bool drawsInOutline(FcPattern* font) {
    FcBool outline = FcFalse, color = FcFalse;
    FcPatternGetBool(font, FC_OUTLINE, 0, &outline);
    FcPatternGetBool(font, FC_COLOR, 0, &color);
    return outline && !color;
}

bool hasCharacter(FcPattern* font, char32_t c) {
    FcCharSet* charset = nullptr;
    return FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) == FcResultMatch &&
           FcCharSetHasChar(charset, c);
}

} // namespace

std::optional<FontFileRef> findFallbackFont(char32_t c) {
    FcConfig* const fc = config();
    if (!fc)
        return std::nullopt;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("monospace"));
    FcCharSet* wanted = FcCharSetCreate();
    FcCharSetAddChar(wanted, c);
    FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
    FcCharSetDestroy(wanted);
    FcConfigSubstitute(fc, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    FcResult result = FcResultNoMatch;
    FcFontSet* ranked = FcFontSort(fc, pattern, FcTrue, nullptr, &result);
    FcPatternDestroy(pattern);
    std::optional<FontFileRef> found;
    for (int i = 0; ranked && i < ranked->nfont && !found; ++i) {
        FcPattern* font = ranked->fonts[i];
        FcChar8* file = nullptr;
        int index = 0;
        if (hasCharacter(font, c) && drawsInOutline(font) &&
            FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch) {
            FcPatternGetInteger(font, FC_INDEX, 0, &index);
            found = FontFileRef{reinterpret_cast<const char*>(file), index};
        }
    }
    if (ranked)
        FcFontSetDestroy(ranked);
    return found;
}

} // namespace converter
