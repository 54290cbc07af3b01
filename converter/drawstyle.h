#pragma once

#include <cstdint>

namespace converter {

struct Rgb {
    std::uint8_t r, g, b;

    bool isGrey() const { return r == g && g == b; }
    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// The largest drawing scale: a 4x image already has more pixels than any
// screen gives a CSS pixel.
inline constexpr int kMaxScale = 4;

// How a text is drawn. scale N draws the glyph outlines at N times the size
// and N times the positions on an image of exactly N times the scale-1 width
// and height, so that a browser showing it at N device pixels per CSS pixel
// puts each image pixel on one screen pixel. A clear ground leaves every pixel
// in the ink colour with the ink's coverage as its alpha (straight alpha).
struct DrawStyle {
    int scale = 1;
    Rgb ink = kBlack;
    Rgb ground = kWhite;
    bool clearGround = false;
};

} // namespace converter
