#pragma once

namespace converter {

// The character cell of the named font, "Lucida Console", in its design
// units. Whichever font draws the outlines is placed on this cell, so images
// get the sizes the named font gives them.
struct CellMetrics {
    int unitsPerEm = 2048;
    int advance = 1234;
    int ascent = 1616;
    int descent = 432;
    int lineGap = 0;
};

inline constexpr CellMetrics kNamedFontCell{};
inline constexpr const char* kNamedFontFamily = "Lucida Console";

// 10 points on a 96 DPI surface.
inline constexpr float kEmSizePoints = 10.f;
inline constexpr int kDotsPerInch = 96;
inline constexpr float kEmPixels = kEmSizePoints * kDotsPerInch / 72.f;

} // namespace converter
