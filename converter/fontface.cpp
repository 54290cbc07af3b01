#include "fontface.h"

#include "cellmetrics.h"
#include "harfbuzzapi.h"

#include FT_ADVANCES_H

#include <cmath>

namespace converter {
namespace {

bool setEmSize(FT_Face face, double scale = 1) {
    const auto size = static_cast<FT_F26Dot6>(std::lround(kEmSizePoints * 64 * scale));
    return size > 0 && FT_Set_Char_Size(face, 0, size, kDotsPerInch, kDotsPerInch) == 0;
}

} // namespace

FontFace::FontFace(FT_Face face, std::string path, int index)
    : face_(face), path_(std::move(path)), index_(index),
      advanceScale_(double(kNamedFontCell.unitsPerEm) / face->units_per_EM),
      outlineScale_(advanceScale_) {}

std::unique_ptr<FontFace> FontFace::fromFile(FT_Library library, const std::string& path,
                                             int index) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), index, &face) != 0)
        return nullptr;
    if (!FT_IS_SCALABLE(face) || !setEmSize(face)) {
        FT_Done_Face(face);
        return nullptr;
    }
    return std::unique_ptr<FontFace>(new FontFace(face, path, index));
}

FontFace::~FontFace() {
    if (shapingFont_)
        harfBuzz()->font_destroy(shapingFont_);
    FT_Done_Face(face_);
}

long FontFace::designAdvance(unsigned glyph) const {
    FT_Fixed advance = 0;
    FT_Get_Advance(face_, glyph, FT_LOAD_NO_SCALE, &advance);
    return advance;
}

bool FontFace::setSize(double scale) {
    return setEmSize(face_, scale);
}

void FontFace::fitAdvancesToCell(long cellWidth) {
    advanceScale_ = double(kNamedFontCell.advance) / cellWidth;
}

hb_font_t* FontFace::shapingFont() {
    const HarfBuzzApi* hb = harfBuzz();
    if (shapingFont_ || !hb)
        return shapingFont_;
    hb_blob_t* blob = hb->blob_create_from_file(path_.c_str());
    hb_face_t* face = hb->face_create(blob, static_cast<unsigned>(index_));
    // A new font's scale is its face's units per em, so positions come back
    // in design units.
    shapingFont_ = hb->font_create(face);
    hb->face_destroy(face);
    hb->blob_destroy(blob);
    return shapingFont_;
}

} // namespace converter
