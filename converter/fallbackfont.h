#pragma once

#include "fontconfigapi.h"

#include <optional>
#include <string>

namespace converter {

struct FontFileRef {
    std::string path;
    int index;
};

// The system's fonts that can stand in for characters the primary font lacks,
// ranked by fontconfig once per run, monospaced families first. fontconfig
// is loaded and started on the first look-up, so a text the primary font
// covers never pays for it.
class FallbackFonts {
public:
    FallbackFonts() = default;
    ~FallbackFonts();
    FallbackFonts(const FallbackFonts&) = delete;
    FallbackFonts& operator=(const FallbackFonts&) = delete;

    // The best-ranked outline font with a glyph for c; nothing when no font
    // has one.
    std::optional<FontFileRef> find(char32_t c);

private:
    void rank();

    bool ranked_ = false;
    const FontconfigApi* fc_ = nullptr;
    FcConfig* config_ = nullptr;
    FcFontSet* fonts_ = nullptr;
};

} // namespace converter
