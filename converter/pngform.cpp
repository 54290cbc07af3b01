#include "pngform.h"

#include <bitset>

namespace converter {
namespace {

bool everyUsedShadeGrey(const Image& image, const std::bitset<256>& used) {
    for (unsigned coverage = 0; coverage < used.size(); ++coverage)
        if (used[coverage] && !image.shade(static_cast<std::uint8_t>(coverage)).isGrey())
            return false;
    return true;
}

PngForm paletteForm(const Image& image, const std::bitset<256>& used) {
    PngForm form{PNG_COLOR_TYPE_PALETTE, 1};
    for (unsigned coverage = 0; coverage < used.size(); ++coverage) {
        if (!used[coverage])
            continue;
        const Rgb colour =
            image.clearGround() ? image.ink() : image.shade(static_cast<std::uint8_t>(coverage));
        form.palette[form.colours] = {colour.r, colour.g, colour.b};
        form.alphas[form.colours] = static_cast<png_byte>(coverage);
        form.index[coverage] = static_cast<png_byte>(form.colours++);
    }
    return form;
}

} // namespace

std::vector<PngForm> ExactPngForms(const Image& image) {
    const bool clear = image.clearGround();
    const PngForm grey{clear ? PNG_COLOR_TYPE_GRAY_ALPHA : PNG_COLOR_TYPE_GRAY, clear ? 2 : 1};
    // Between grey ink and a grey ground every shade is grey: no need to
    // look at the pixels.
    if (image.ink().isGrey() && (clear || image.shade(0).isGrey()))
        return {grey};
    const std::bitset<256> used = image.coverageUsed();
    if (!clear && everyUsedShadeGrey(image, used))
        return {grey};
    return {paletteForm(image, used),
            {clear ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, clear ? 4 : 3}};
}

void PngFormRow(const Image& image, const PngForm& form, int y, png_bytep out) {
    const std::uint8_t* coverage = image.coverageRow(y);
    const Rgb ink = image.ink();
    const int width = image.width();
    switch (form.colorType) {
    case PNG_COLOR_TYPE_GRAY:
        for (int x = 0; x < width; ++x)
            out[x] = image.shade(coverage[x]).r;
        break;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        for (int x = 0; x < width; ++x, out += 2) {
            out[0] = ink.r;
            out[1] = coverage[x];
        }
        break;
    case PNG_COLOR_TYPE_PALETTE:
        for (int x = 0; x < width; ++x)
            out[x] = form.index[coverage[x]];
        break;
    case PNG_COLOR_TYPE_RGB:
        image.rgbRow(y, out);
        break;
    default:
        for (int x = 0; x < width; ++x, out += 4) {
            out[0] = ink.r;
            out[1] = ink.g;
            out[2] = ink.b;
            out[3] = coverage[x];
        }
    }
}

} // namespace converter
