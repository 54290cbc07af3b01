#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb.h>

#include <memory>
#include <string>

namespace converter {

// One font file opened at the tool's em size, with the factors that turn its
// design units into cell units (the named font's 1/2048 em).
class FontFace {
public:
    // A face from a font file; null when FreeType cannot open it.
    static std::unique_ptr<FontFace> fromFile(FT_Library library, const std::string& path,
                                              int index);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    FT_Face ft() const { return face_; }

    // 0 when the font has no glyph for c.
    unsigned glyphFor(char32_t c) const { return FT_Get_Char_Index(face_, c); }
    // The glyph's advance in design units, unhinted.
    long designAdvance(unsigned glyph) const;

    // Advances are scaled by advanceScale, outline offsets by outlineScale.
    // They differ only for a face fitted onto the named font's cell.
    double advanceScale() const { return advanceScale_; }
    double outlineScale() const { return outlineScale_; }
    // Makes an advance of cellWidth design units one cell wide.
    void fitAdvancesToCell(long cellWidth);

    // Sets the size glyphs are rendered at: scale times the tool's em size.
    bool setSize(double scale);

    // The face for HarfBuzz, made on first use; null without HarfBuzz.
    hb_font_t* shapingFont();

private:
    FontFace(FT_Face face, std::string path, int index);

    FT_Face face_;
    std::string path_;
    int index_;
    double advanceScale_;
    double outlineScale_;
    hb_font_t* shapingFont_ = nullptr;
};

} // namespace converter
