#pragma once

#include "font.h"
#include "shaper.h"

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace converter {

// Fractional pixels, as measured; the image takes them truncated.
struct TextSize {
    float width;
    float height;
};

// A glyph placed in pixels from the layout box's top-left corner; y is the
// baseline under it.
struct PlacedGlyph {
    std::size_t face;
    unsigned glyph;
    float x;
    float y;
    double scale; // of the outline, as shaped
};

// The default string layout of the platform whose image sizes the tool keeps:
// no wrapping, a new line only at a line break, lines at the cell's line
// spacing, advances stretched by 1.03 (its tracking) and em/6 of room at both
// ends of every line. Measures in 32-bit floats, as that platform does.
class TextLayout {
public:
    // Once `stop` is seen set, between two lines, measuring or placing gives
    // up with DrawingAbandoned.
    TextLayout(std::u32string_view text, Font& font, const std::atomic<bool>* stop = nullptr);

    TextSize measure();
    // Hands draw the placed glyphs, a line or a piece of one at a time.
    void place(const std::function<void(const std::vector<PlacedGlyph>&)>& draw);

private:
    using ShapedSink = std::function<void(const std::vector<ShapedGlyph>&)>;
    // Shapes one line, handing take its glyphs piece by piece, and returns the
    // line's measured advance.
    double shapeLine(std::u32string_view line, const ShapedSink& take);
    template <typename Visit> void forEachLine(Visit visit) const;

    std::u32string_view text_;
    Font& font_;
    const std::atomic<bool>* stop_;
    std::vector<ShapedGlyph> shaped_;
    std::u32string run_;
};

} // namespace converter
