#include "fontconfigapi.h"

#include "loadedsymbol.h"

namespace converter {
namespace {

bool load(FontconfigApi& api) {
    // Kept loaded until the process ends, as the faces it found stay in use.
    void* library = ::dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return false;
    return resolve(library, "FcInitLoadConfigAndFonts", api.InitLoadConfigAndFonts) &&
           resolve(library, "FcConfigCreate", api.ConfigCreate) &&
           resolve(library, "FcConfigParseAndLoadFromMemory", api.ConfigParseAndLoadFromMemory) &&
           resolve(library, "FcConfigBuildFonts", api.ConfigBuildFonts) &&
           resolve(library, "FcConfigDestroy", api.ConfigDestroy) &&
           resolve(library, "FcConfigSubstitute", api.ConfigSubstitute) &&
           resolve(library, "FcDefaultSubstitute", api.DefaultSubstitute) &&
           resolve(library, "FcPatternCreate", api.PatternCreate) &&
           resolve(library, "FcPatternDestroy", api.PatternDestroy) &&
           resolve(library, "FcPatternAddString", api.PatternAddString) &&
           resolve(library, "FcPatternGetBool", api.PatternGetBool) &&
           resolve(library, "FcPatternGetCharSet", api.PatternGetCharSet) &&
           resolve(library, "FcPatternGetInteger", api.PatternGetInteger) &&
           resolve(library, "FcPatternGetString", api.PatternGetString) &&
           resolve(library, "FcCharSetHasChar", api.CharSetHasChar) &&
           resolve(library, "FcFontSetDestroy", api.FontSetDestroy) &&
           resolve(library, "FcFontSort", api.FontSort);
}

} // namespace

const FontconfigApi* fontconfig() {
    static FontconfigApi api{};
    static const bool loaded = load(api);
    return loaded ? &api : nullptr;
}

} // namespace converter
