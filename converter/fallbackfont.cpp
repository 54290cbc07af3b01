#include "fallbackfont.h"

#include "fallbackconfig.h"

namespace converter {
namespace {

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

FallbackFonts::~FallbackFonts() {
    if (fonts_)
        FcFontSetDestroy(fonts_);
    if (config_)
        FcConfigDestroy(config_);
}

// One ranking serves every character: sorting the system's fonts again for
// each missing character would make a text of many costly.
void FallbackFonts::rank() {
    ranked_ = true;
    config_ = loadFallbackConfig();
    if (!config_)
        return;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("monospace"));
    FcConfigSubstitute(config_, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    fonts_ = FcFontSort(config_, pattern, FcFalse, nullptr, &result);
    FcPatternDestroy(pattern);
}

std::optional<FontFileRef> FallbackFonts::find(char32_t c) {
    if (!ranked_)
        rank();
    for (int i = 0; fonts_ && i < fonts_->nfont; ++i) {
        FcPattern* font = fonts_->fonts[i];
        FcChar8* file = nullptr;
        int index = 0;
        if (hasCharacter(font, c) && drawsInOutline(font) &&
            FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch) {
            FcPatternGetInteger(font, FC_INDEX, 0, &index);
            return FontFileRef{reinterpret_cast<const char*>(file), index};
        }
    }
    return std::nullopt;
}

} // namespace converter
