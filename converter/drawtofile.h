#pragma once

#include "font.h"
#include "imageformat.h"

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>

namespace converter {

// How a program that draws many images on threads stops them all at once:
// `requested` is set (a signal handler may set it), drawings under way give
// up, and once the stopping thread holds `placing` no image can be half put
// in place by a thread that had not seen the request yet.
struct DrawingStop {
    const std::atomic<bool>& requested;
    std::mutex& placing;
};

struct DrawnSize {
    int width;
    int height;
};

// Draws `text` in `font`, black on white, and writes it in `format` as the
// file `name` beneath the folder `root` (see ReplacingFile), replacing any
// file there only once the image is complete. One thread's font is never
// used by another at the same time. Throws ConversionError, or
// DrawingAbandoned once `stop` was requested (no file is then written).
DrawnSize DrawTextToFile(std::u32string_view text, Font& font, ImageFormat format, int root,
                         const std::string& name, const std::string& shownAs,
                         const DrawingStop& stop);

} // namespace converter
