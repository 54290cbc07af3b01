#include "substitutefont.h"

namespace converter {

// The build names the file it found in SUBSTITUTE_FONT_FILE.
const char* substituteFontPath() {
    return SUBSTITUTE_FONT_FILE;
}

} // namespace converter
