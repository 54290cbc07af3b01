#include "shaper.h"

#include "harfbuzzapi.h"

#include <algorithm>

namespace converter {
namespace {

// For these characters HarfBuzz gives the built-in font's cmap glyphs and
// advances unchanged (checked for every pair of them), as it does for any
// monospaced font without ligatures, so the primary font maps them directly.
// The soft hyphen is the exception: shaping hides it.
bool needsNoShaping(char32_t c) {
    return c >= 0x20 && c < 0x300 && c != 0xAD;
}

void mapDirectly(FontFace& face, std::size_t faceIndex, std::u32string_view text, double& pen,
                 std::vector<ShapedGlyph>& out) {
    for (const char32_t c : text) {
        const unsigned glyph = face.glyphFor(c);
        out.push_back({faceIndex, glyph, pen, 0, 0});
        pen += face.designAdvance(glyph) * face.advanceScale();
    }
}

hb_script_t scriptOf(const HarfBuzzApi& hb, char32_t c) {
    return hb.unicode_script(hb.unicode_funcs_get_default(), c);
}

bool isRightToLeft(const HarfBuzzApi& hb, hb_script_t script) {
    return hb.script_get_horizontal_direction(script) == HB_DIRECTION_RTL;
}

bool isNeutral(hb_script_t script) {
    return script == HB_SCRIPT_COMMON || script == HB_SCRIPT_INHERITED ||
           script == HB_SCRIPT_UNKNOWN;
}

void shapeWithHarfBuzz(const HarfBuzzApi& hb, FontFace& face, std::size_t faceIndex,
                       std::u32string_view text, double& pen, std::vector<ShapedGlyph>& out) {
    hb_buffer_t* buffer = hb.buffer_create();
    hb.buffer_add_utf32(buffer, reinterpret_cast<const std::uint32_t*>(text.data()),
                        static_cast<int>(text.size()), 0, static_cast<int>(text.size()));
    hb.buffer_guess_segment_properties(buffer);
    hb.shape(face.shapingFont(), buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* infos = hb.buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* positions = hb.buffer_get_glyph_positions(buffer, nullptr);
    for (unsigned i = 0; i < count; ++i) {
        out.push_back({faceIndex, infos[i].codepoint, pen,
                       positions[i].x_offset * face.outlineScale(),
                       positions[i].y_offset * face.outlineScale()});
        pen += positions[i].x_advance * face.advanceScale();
    }
    hb.buffer_destroy(buffer);
}

} // namespace

bool attachesToPrevious(char32_t c) {
    if (needsNoShaping(c))
        return false;
    const HarfBuzzApi* hb = harfBuzz();
    if (!hb)
        return false;
    switch (hb->unicode_general_category(hb->unicode_funcs_get_default(), c)) {
    case HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK:
        return true;
    default:
        return c == 0x200C || c == 0x200D || (c >= 0x1F3FB && c <= 0x1F3FF);
    }
}

void shapeRun(Font& font, std::size_t faceIndex, std::u32string_view text, double& pen,
              std::vector<ShapedGlyph>& out) {
    FontFace& face = font.face(faceIndex);
    const bool plain = faceIndex == 0 && std::all_of(text.begin(), text.end(), needsNoShaping);
    const HarfBuzzApi* hb = plain ? nullptr : harfBuzz();
    if (!hb || !face.shapingFont()) {
        mapDirectly(face, faceIndex, text, pen, out);
        return;
    }
    // HarfBuzz shapes one script at a time, and leaves ordering right-to-left
    // pieces among the others to its caller. Punctuation and marks between
    // letters of one script go with them; those at the edge of a right-to-left
    // piece go with the line's own direction, left to right. Digits inside
    // right-to-left text are not reordered: the tool does no full bidi.
    std::size_t start = 0, strongEnd = 0;
    hb_script_t current = HB_SCRIPT_COMMON;
    const auto shapePiece = [&](std::size_t end) {
        if (end > start)
            shapeWithHarfBuzz(*hb, face, faceIndex, text.substr(start, end - start), pen, out);
        start = end;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const hb_script_t script = scriptOf(*hb, text[i]);
        if (isNeutral(script))
            continue;
        if (isNeutral(current) ? isRightToLeft(*hb, script) : script != current)
            shapePiece(isRightToLeft(*hb, current) ? strongEnd : i);
        current = script;
        strongEnd = i + 1;
    }
    if (isRightToLeft(*hb, current))
        shapePiece(strongEnd);
    shapePiece(text.size());
}

} // namespace converter
