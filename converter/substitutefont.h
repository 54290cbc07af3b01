#pragma once

#include <array>

namespace converter {

// Where distributions install Liberation Mono Regular (SIL Open Font
// License), in the order tried: Debian 12's fonts-liberation2, Debian 13's
// fonts-liberation (fonts-liberation2 is a transitional package there), and
// Fedora's. Its metrics are fitted onto the named font's cell, so the images
// keep their sizes, and the package carries no copy of its own.
inline constexpr std::array<const char*, 3> kSubstituteFontFiles = {
    "/usr/share/fonts/truetype/liberation2/LiberationMono-Regular.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf",
    "/usr/share/fonts/liberation-mono/LiberationMono-Regular.ttf",
};

} // namespace converter
