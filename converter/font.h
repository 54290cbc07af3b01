#pragma once

#include "fallbackfont.h"
#include "fontface.h"

#include <memory>
#include <unordered_set>
#include <vector>

namespace converter {

// The tool's font: "Lucida Console" when the system has it, else the
// substitute fitted onto its cell, plus system fallback faces for characters
// neither has, opened on first need.
class Font {
public:
    // Throws ConversionError (FontUnusable) if not even the substitute font loads.
    Font();
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Face 0 is the primary font.
    FontFace& face(std::size_t index) { return *faces_[index]; }

    // The face that draws c: the primary when it has c, else a fallback face,
    // else the primary, which then shows its missing-glyph box.
    std::size_t faceFor(char32_t c);

private:
    std::unique_ptr<FontFace> openNamedFont();
    std::size_t openFallbackFor(char32_t c);

    FT_Library library_ = nullptr;
    std::vector<std::unique_ptr<FontFace>> faces_;
    FallbackFonts fallbacks_;
    std::unordered_set<char32_t> withoutFont_;
};

} // namespace converter
