#include "fallbackfont.h"

#include "fallbackconfig.h"

namespace converter {
namespace {

// Colour bitmap fonts (emoji) are left out: the tool draws in one colour with
// grayscale coverage, as the platform it follows drew such characters.
bool drawsInOutline(const FontconfigApi& fc, FcPattern* font) {
    FcBool outline = FcFalse, color = FcFalse;
    fc.PatternGetBool(font, FC_OUTLINE, 0, &outline);
    fc.PatternGetBool(font, FC_COLOR, 0, &color);
    return outline && !color;
}

bool hasCharacter(const FontconfigApi& fc, FcPattern* font, char32_t c) {
    FcCharSet* charset = nullptr;
    return fc.PatternGetCharSet(font, FC_CHARSET, 0, &charset) == FcResultMatch &&
           fc.CharSetHasChar(charset, c);
}

} // namespace

FallbackFonts::~FallbackFonts() {
    if (fonts_)
        fc_->FontSetDestroy(fonts_);
    if (config_)
        fc_->ConfigDestroy(config_);
}

// One ranking serves every character: sorting the system's fonts again for
// each missing character would make a text of many costly.
void FallbackFonts::rank() {
    ranked_ = true;
    fc_ = fontconfig();
    config_ = fc_ ? loadFallbackConfig(*fc_) : nullptr;
    if (!config_)
        return;
    FcPattern* pattern = fc_->PatternCreate();
    fc_->PatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("monospace"));
    fc_->ConfigSubstitute(config_, pattern, FcMatchPattern);
    fc_->DefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    fonts_ = fc_->FontSort(config_, pattern, FcFalse, nullptr, &result);
    fc_->PatternDestroy(pattern);
}

std::optional<FontFileRef> FallbackFonts::find(char32_t c) {
    if (!ranked_)
        rank();
    for (int i = 0; fonts_ && i < fonts_->nfont; ++i) {
        FcPattern* font = fonts_->fonts[i];
        FcChar8* file = nullptr;
        int index = 0;
        if (hasCharacter(*fc_, font, c) && drawsInOutline(*fc_, font) &&
            fc_->PatternGetString(font, FC_FILE, 0, &file) == FcResultMatch) {
            fc_->PatternGetInteger(font, FC_INDEX, 0, &index);
            return FontFileRef{reinterpret_cast<const char*>(file), index};
        }
    }
    return std::nullopt;
}

} // namespace converter
