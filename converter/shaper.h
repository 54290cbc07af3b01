#pragma once

#include "font.h"

#include <string_view>
#include <vector>

namespace converter {

// A glyph on a line, in cell units (1/2048 em of the named font). pen is where
// the line's advances put it; the offsets (y upward) move it off that point
// and are not stretched by tracking. scale is the size its outline is drawn
// at, under 1 when it was shrunk to fit its cells.
struct ShapedGlyph {
    std::size_t face;
    unsigned glyph;
    double pen;
    double xOffset;
    double yOffset;
    double scale;
};

// Appends the glyphs of text, all drawn from one face, starting at pen, and
// moves pen past them. Every character takes whole cells (cellwidth.h),
// whatever the face's own advances: a cluster of glyphs is centred in the
// cells of its characters and shrunk when it would not fit them. Latin, Greek
// and Cyrillic text in the primary face maps each character to its glyph
// directly (what shaping gives for it in a monospaced cell), and so do Han,
// kana and Hangul letters in any face; other text is shaped with HarfBuzz when
// the system has it.
void shapeRun(Font& font, std::size_t face, std::u32string_view text, double& pen,
              std::vector<ShapedGlyph>& out);

// Combining marks and joiners stay with the face of the character before
// them, so that a base and its marks are shaped together.
bool attachesToPrevious(char32_t c);

} // namespace converter
