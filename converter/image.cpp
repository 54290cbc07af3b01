#include "image.h"

#include <algorithm>
#include <new>

namespace converter {
namespace {

std::uint8_t blend(std::uint8_t back, std::uint8_t text, unsigned coverage) {
    return static_cast<std::uint8_t>((back * (255 - coverage) + text * coverage + 127) / 255);
}

// Coverage from two glyphs that overlap adds like alpha laid over alpha.
std::uint8_t over(unsigned below, unsigned above) {
    return static_cast<std::uint8_t>(above + below - (above * below + 127) / 255);
}

} // namespace

Image::Image(int width, int height, const DrawStyle& style)
    : width_(width), height_(height), ink_(style.ink), clearGround_(style.clearGround),
      coverage_(static_cast<std::uint8_t*>(
          std::calloc(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 1))) {
    if (!coverage_)
        throw std::bad_alloc();
    for (unsigned coverage = 0; coverage < shades_.size(); ++coverage)
        shades_[coverage] = {blend(style.ground.r, style.ink.r, coverage),
                             blend(style.ground.g, style.ink.g, coverage),
                             blend(style.ground.b, style.ink.b, coverage)};
}

void Image::drawGlyph(const GlyphBitmap& glyph, int x, int y) {
    const int left = x + glyph.left;
    const int top = y - glyph.top;
    const int fromRow = std::max(0, -top), toRow = std::min(glyph.rows, height_ - top);
    const int fromColumn = std::max(0, -left), toColumn = std::min(glyph.width, width_ - left);
    // Offsets only, never a pointer to a pixel left of the image: a mark with
    // no base before it hangs left of x = 0.
    for (int row = fromRow; row < toRow; ++row) {
        const std::size_t source = static_cast<std::size_t>(row) * glyph.width;
        const std::size_t target = static_cast<std::size_t>(top + row) * width_;
        for (int column = fromColumn; column < toColumn; ++column) {
            std::uint8_t& pixel = coverage_[target + static_cast<std::size_t>(left + column)];
            pixel = over(pixel, glyph.coverage[source + static_cast<std::size_t>(column)]);
        }
    }
}

const std::uint8_t* Image::coverageRow(int y) const {
    return &coverage_[static_cast<std::size_t>(y) * width_];
}

std::bitset<256> Image::coverageUsed() const {
    std::bitset<256> used;
    const std::uint8_t* const end = coverage_.get() + std::size_t(width_) * std::size_t(height_);
    for (const std::uint8_t* coverage = coverage_.get(); coverage != end; ++coverage)
        used[*coverage] = true;
    return used;
}

void Image::rgbRow(int y, std::uint8_t* out) const {
    const std::uint8_t* row = coverageRow(y);
    for (int x = 0; x < width_; ++x, out += 3) {
        const Rgb& shade = shades_[row[x]];
        out[0] = shade.r;
        out[1] = shade.g;
        out[2] = shade.b;
    }
}

} // namespace converter
