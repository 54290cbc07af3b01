#pragma once

#include "drawstyle.h"
#include "glyphcache.h"
#include "imageformat.h"

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace converter {

// How a program that draws many images on threads stops them all at once:
// `requested` is set (a signal handler may set it), drawings under way give
// up, and once the stopping thread holds `placing` no image can be half put
// in place by a thread that had not seen the request yet.
struct DrawingStop {
    const std::atomic<bool>& requested;
    std::mutex& placing;
};

// The scale-1 size of the images made.
struct DrawnSize {
    int width;
    int height;
};

// One image of a text: how it is drawn and the file `name` beneath the
// output folder it goes to, shown as `shownAs` in messages.
struct ImageFile {
    DrawStyle style;
    std::string name;
    std::string shownAs;
};

// Draws `text` with the glyph cache's font once for each of `files`, in
// order, and writes each in `format` beneath the folder `root` (see
// ReplacingFile), replacing any file there only once its image is complete.
// The largest scale of a colour set is best given first: an image too large
// is then refused before any file of the set is written. One thread's cache
// and font are never used by another at the same time. Throws
// ConversionError, or DrawingAbandoned once `stop` was requested (no file is
// then put in place).
DrawnSize DrawTextToFiles(std::u32string_view text, GlyphCache& glyphs, ImageFormat format,
                          int root, const std::vector<ImageFile>& files, const DrawingStop& stop);

} // namespace converter
