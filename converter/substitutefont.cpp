#include "substitutefont.h"

// The font file is copied in by the assembler at build time; the build names
// it in SUBSTITUTE_FONT_FILE.
asm(".pushsection .rodata\n"
    ".balign 16\n"
    ".globl orvanta_substitute_font_begin\n"
    ".hidden orvanta_substitute_font_begin\n"
    "orvanta_substitute_font_begin:\n"
    ".incbin \"" SUBSTITUTE_FONT_FILE "\"\n"
    ".globl orvanta_substitute_font_end\n"
    ".hidden orvanta_substitute_font_end\n"
    "orvanta_substitute_font_end:\n"
    ".popsection\n");

extern "C" __attribute__((visibility("hidden")))
const unsigned char orvanta_substitute_font_begin[];
extern "C" __attribute__((visibility("hidden"))) const unsigned char orvanta_substitute_font_end[];

namespace converter {

FontBytes substituteFontBytes() {
    return {orvanta_substitute_font_begin,
            static_cast<std::size_t>(orvanta_substitute_font_end - orvanta_substitute_font_begin)};
}

} // namespace converter
