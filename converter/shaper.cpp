#include "shaper.h"

#include "cellmetrics.h"
#include "cellwidth.h"
#include "harfbuzzapi.h"

#include <algorithm>

namespace converter {
namespace {

// For these characters HarfBuzz gives the substitute font's cmap glyphs and
// advances unchanged (checked for every pair of them), as it does for any
// monospaced font without ligatures, so the primary font maps them directly
// and a Latin, Greek or Cyrillic address never loads HarfBuzz. Combining
// marks are left out, and so is the soft hyphen, which shaping hides.
bool needsNoShaping(char32_t c) {
    if (c >= 0x20 && c < 0x300)
        return c != 0xAD;
    const bool greek = c >= 0x370 && c < 0x400;
    const bool cyrillicLetter = c >= 0x400 && c < 0x530 && !(c >= 0x483 && c <= 0x489);
    return greek || cyrillicLetter;
}

// Han ideographs, kana and Hangul syllables, each two cells wide. No lookup
// of the features HarfBuzz applies by default, under a font's default
// language system, touches them in any face of Noto Sans CJK (checked), as in
// other CJK fonts, whose ideographs are set in full-width cells: shaping gives
// each its cmap glyph and advance, so a CJK address never loads HarfBuzz.
// Left out: the kana voicing marks, which combine, and the compatibility
// ideographs, which normalise to others.
bool isUnshapedWide(char32_t c) {
    return (c >= 0x3041 && c <= 0x3096) || (c >= 0x309B && c <= 0x309F) ||
           (c >= 0x30A1 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0x20000 && c <= 0x2F7FF) || (c >= 0x30000 && c <= 0x3134F);
}

int twoCells(char32_t) {
    return 2;
}

void mapDirectly(FontFace& face, std::size_t faceIndex, std::u32string_view text, double& pen,
                 std::vector<ShapedGlyph>& out) {
    for (const char32_t c : text) {
        const unsigned glyph = face.glyphFor(c);
        out.push_back({faceIndex, glyph, pen, 0, 0, 1});
        pen += face.designAdvance(glyph) * face.advanceScale();
    }
}

// A glyph as its face sets it, in cell units; cluster is the index in the
// text of the first character it stands for.
struct FaceGlyph {
    unsigned glyph;
    unsigned cluster;
    double advance;
    double xOffset;
    double yOffset;
};

// Puts the glyphs, in visual order, on the cell grid: each cluster takes the
// cells of its characters. Clusters that take no cell (a mark without a base)
// stay at the pen as the face sets them. cells counts a character's cells.
using CellCount = int (*)(char32_t);
void placeInCells(std::size_t faceIndex, std::u32string_view text,
                  const std::vector<FaceGlyph>& glyphs, double& pen, std::vector<ShapedGlyph>& out,
                  CellCount cells = cellsOf) {
    std::vector<int> cellsBefore(text.size() + 1, 0);
    for (std::size_t i = 0; i < text.size(); ++i)
        cellsBefore[i + 1] = cellsBefore[i] + cells(text[i]);
    std::vector<unsigned> clusterStarts;
    for (const FaceGlyph& g : glyphs)
        clusterStarts.push_back(g.cluster);
    std::sort(clusterStarts.begin(), clusterStarts.end());

    for (std::size_t first = 0, end = 0; first < glyphs.size(); first = end) {
        const unsigned cluster = glyphs[first].cluster;
        double natural = 0;
        for (end = first; end < glyphs.size() && glyphs[end].cluster == cluster; ++end)
            natural += glyphs[end].advance;
        const auto next = std::upper_bound(clusterStarts.begin(), clusterStarts.end(), cluster);
        const std::size_t last = next == clusterStarts.end() ? text.size() : *next;
        const double room =
            double(cellsBefore[last] - cellsBefore[cluster]) * kNamedFontCell.advance;
        const double scale = room > 0 && natural > room ? room / natural : 1;
        double x = pen + std::max(0.0, room - natural * scale) / 2;
        for (std::size_t i = first; i < end; ++i) {
            const FaceGlyph& g = glyphs[i];
            out.push_back({faceIndex, g.glyph, x, g.xOffset * scale, g.yOffset * scale, scale});
            x += g.advance * scale;
        }
        pen += room;
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
    // HarfBuzz would take the language from the process's locale, which a
    // tool never sets and a program may: the fonts' language-specific forms
    // would then differ between the two. The C locale's, which names none.
    hb.buffer_set_language(buffer, hb.language_from_string("c", -1));
    hb.buffer_guess_segment_properties(buffer);
    hb.shape(face.shapingFont(), buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* infos = hb.buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* positions = hb.buffer_get_glyph_positions(buffer, nullptr);
    std::vector<FaceGlyph> glyphs;
    for (unsigned i = 0; i < count; ++i)
        glyphs.push_back({infos[i].codepoint, infos[i].cluster,
                          positions[i].x_advance * face.advanceScale(),
                          positions[i].x_offset * face.outlineScale(),
                          positions[i].y_offset * face.outlineScale()});
    hb.buffer_destroy(buffer);
    placeInCells(faceIndex, text, glyphs, pen, out);
}

// Without HarfBuzz: one glyph a character, still on the cell grid.
void mapIntoCells(FontFace& face, std::size_t faceIndex, std::u32string_view text, double& pen,
                  std::vector<ShapedGlyph>& out, CellCount cells = cellsOf) {
    std::vector<FaceGlyph> glyphs;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned glyph = face.glyphFor(text[i]);
        glyphs.push_back({glyph, static_cast<unsigned>(i),
                          face.designAdvance(glyph) * face.advanceScale(), 0, 0});
    }
    placeInCells(faceIndex, text, glyphs, pen, out, cells);
}

} // namespace

bool attachesToPrevious(char32_t c) {
    if (needsNoShaping(c) || isUnshapedWide(c))
        return false;
    const auto category = generalCategory(c);
    if (!category)
        return false;
    return *category == HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK ||
           *category == HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK ||
           *category == HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK || c == 0x200C || c == 0x200D ||
           (c >= 0x1F3FB && c <= 0x1F3FF);
}

void shapeRun(Font& font, std::size_t faceIndex, std::u32string_view text, double& pen,
              std::vector<ShapedGlyph>& out) {
    FontFace& face = font.face(faceIndex);
    if (faceIndex == 0 && std::all_of(text.begin(), text.end(), needsNoShaping)) {
        mapDirectly(face, faceIndex, text, pen, out);
        return;
    }
    if (std::all_of(text.begin(), text.end(), isUnshapedWide)) {
        mapIntoCells(face, faceIndex, text, pen, out, twoCells);
        return;
    }
    const HarfBuzzApi* hb = harfBuzz();
    if (!hb || !face.shapingFont()) {
        mapIntoCells(face, faceIndex, text, pen, out);
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
