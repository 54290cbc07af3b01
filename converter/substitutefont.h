#pragma once

#include <cstddef>

namespace converter {

struct FontBytes {
    const unsigned char* data;
    std::size_t size;
};

// Liberation Mono Regular (SIL Open Font License; the file's own name table
// carries its copyright and licence), built into the executable so that the
// tool draws the same on every machine and needs no file beside it.
FontBytes substituteFontBytes();

} // namespace converter
