#pragma once

#include <fontconfig/fontconfig.h>

namespace converter {

// The part of fontconfig the converter uses, loaded from the system library
// the first time the primary font lacks a character of the text: loading and
// starting it costs a text the primary font covers, the common one, more than
// drawing it.
struct FontconfigApi {
    decltype(&FcInitLoadConfigAndFonts) InitLoadConfigAndFonts;
    decltype(&FcConfigCreate) ConfigCreate;
    decltype(&FcConfigParseAndLoadFromMemory) ConfigParseAndLoadFromMemory;
    decltype(&FcConfigBuildFonts) ConfigBuildFonts;
    decltype(&FcConfigDestroy) ConfigDestroy;
    decltype(&FcConfigSubstitute) ConfigSubstitute;
    decltype(&FcDefaultSubstitute) DefaultSubstitute;
    decltype(&FcPatternCreate) PatternCreate;
    decltype(&FcPatternDestroy) PatternDestroy;
    decltype(&FcPatternAddString) PatternAddString;
    decltype(&FcPatternGetBool) PatternGetBool;
    decltype(&FcPatternGetCharSet) PatternGetCharSet;
    decltype(&FcPatternGetInteger) PatternGetInteger;
    decltype(&FcPatternGetString) PatternGetString;
    decltype(&FcCharSetHasChar) CharSetHasChar;
    decltype(&FcFontSetDestroy) FontSetDestroy;
    decltype(&FcFontSort) FontSort;
};

// The loaded library, or null when the system has none; characters the
// primary font lacks are then drawn as its missing-glyph box.
const FontconfigApi* fontconfig();

} // namespace converter
