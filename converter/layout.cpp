#include "layout.h"

#include "cellmetrics.h"
#include "conversionerror.h"

#include <algorithm>
#include <cmath>

namespace converter {
namespace {

constexpr float kTracking = 1.03f;
constexpr float kPixelsPerCellUnit = kEmPixels / kNamedFontCell.unitsPerEm;
constexpr float kLineSpacing =
    float(kNamedFontCell.ascent + kNamedFontCell.descent + kNamedFontCell.lineGap) *
    kPixelsPerCellUnit;

// A tab moves to the next stop, one every eight cells from the line's start,
// as in a console; trailing tabs count as trailing spaces.
constexpr double kTabStop = 8.0 * kNamedFontCell.advance;

// LF, CR, CR LF and the Unicode line and paragraph separators end a line.
bool isLineBreak(char32_t c) {
    return c == '\n' || c == '\r' || c == 0x2028 || c == 0x2029;
}

// Other control characters (C0, DEL, C1) are neither drawn nor given room,
// like the format characters that shaping hides.
bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

bool isBlank(char32_t c) {
    return c == ' ' || c == '\t';
}

// Runs longer than this are shaped in pieces, so the memory a line takes stays
// small however long the line. A cut falls inside a cluster only in a run of
// thousands of characters in a script that joins its letters.
constexpr std::size_t kMaxRunLength = 4096;

} // namespace

TextLayout::TextLayout(std::u32string_view text, Font& font, const std::atomic<bool>* stop)
    : text_(text), font_(font), stop_(stop) {}

// A final line break ends the last line and adds no empty one after it.
template <typename Visit> void TextLayout::forEachLine(Visit visit) const {
    const std::u32string_view text = text_;
    std::size_t start = 0;
    while (start < text.size()) {
        if (stop_ && stop_->load(std::memory_order_relaxed))
            throw DrawingAbandoned{};
        std::size_t end = start;
        while (end < text.size() && !isLineBreak(text[end]))
            ++end;
        visit(text.substr(start, end - start));
        if (end == text.size())
            return;
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        start = end + (crLf ? 2 : 1);
    }
}

double TextLayout::shapeLine(std::u32string_view line, const ShapedSink& take) {
    // Trailing blanks are not measured, and being blank need no drawing; a
    // line of blanks only is measured whole.
    std::size_t end = line.size();
    while (end > 0 && isBlank(line[end - 1]))
        --end;
    if (end > 0)
        line = line.substr(0, end);

    run_.clear();
    double pen = 0;
    std::size_t runFace = 0;
    const auto flushRun = [&] {
        if (run_.empty())
            return;
        shaped_.clear();
        shapeRun(font_, runFace, run_, pen, shaped_);
        take(shaped_);
        run_.clear();
    };
    for (const char32_t c : line) {
        if (c == '\t') {
            flushRun();
            pen = (std::floor(pen / kTabStop) + 1) * kTabStop;
            continue;
        }
        if (isControl(c))
            continue;
        const bool attached = !run_.empty() && attachesToPrevious(c);
        const std::size_t face = attached ? runFace : font_.faceFor(c);
        if (face != runFace || run_.size() == kMaxRunLength)
            flushRun();
        runFace = face;
        run_.push_back(c);
    }
    flushRun();
    return pen;
}

TextSize TextLayout::measure() {
    double widest = 0;
    std::size_t lines = 0;
    forEachLine([&](std::u32string_view line) {
        ++lines;
        widest = std::max(widest, shapeLine(line, [](const std::vector<ShapedGlyph>&) {}));
    });
    if (lines == 0)
        return {0, 0};
    const float advances = float(widest) * kPixelsPerCellUnit;
    return {kTracking * advances + kEmPixels / 3, float(lines) * kLineSpacing + kEmPixels / 8};
}

void TextLayout::place(const std::function<void(const std::vector<PlacedGlyph>&)>& draw) {
    const float ascent = float(kNamedFontCell.ascent) * kPixelsPerCellUnit;
    std::size_t index = 0;
    std::vector<PlacedGlyph> placed;
    forEachLine([&](std::u32string_view line) {
        const float baseline = ascent + float(index++) * kLineSpacing;
        shapeLine(line, [&](const std::vector<ShapedGlyph>& glyphs) {
            placed.clear();
            for (const ShapedGlyph& g : glyphs)
                placed.push_back({g.face, g.glyph,
                                  kEmPixels / 6 + kTracking * (float(g.pen) * kPixelsPerCellUnit) +
                                      float(g.xOffset) * kPixelsPerCellUnit,
                                  baseline - float(g.yOffset) * kPixelsPerCellUnit, g.scale});
            draw(placed);
        });
    });
}

} // namespace converter
