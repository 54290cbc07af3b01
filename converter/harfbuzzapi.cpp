#include "harfbuzzapi.h"

#include "loadedsymbol.h"

namespace converter {
namespace {

bool load(HarfBuzzApi& api) {
    // Kept loaded until the process ends: the tool draws one image and exits.
    void* library = ::dlopen("libharfbuzz.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return false;
    return resolve(library, "hb_blob_create_from_file", api.blob_create_from_file) &&
           resolve(library, "hb_blob_destroy", api.blob_destroy) &&
           resolve(library, "hb_face_create", api.face_create) &&
           resolve(library, "hb_face_destroy", api.face_destroy) &&
           resolve(library, "hb_font_create", api.font_create) &&
           resolve(library, "hb_font_destroy", api.font_destroy) &&
           resolve(library, "hb_buffer_create", api.buffer_create) &&
           resolve(library, "hb_buffer_destroy", api.buffer_destroy) &&
           resolve(library, "hb_buffer_add_utf32", api.buffer_add_utf32) &&
           resolve(library, "hb_buffer_set_language", api.buffer_set_language) &&
           resolve(library, "hb_language_from_string", api.language_from_string) &&
           resolve(library, "hb_buffer_guess_segment_properties",
                   api.buffer_guess_segment_properties) &&
           resolve(library, "hb_buffer_get_glyph_infos", api.buffer_get_glyph_infos) &&
           resolve(library, "hb_buffer_get_glyph_positions", api.buffer_get_glyph_positions) &&
           resolve(library, "hb_shape", api.shape) &&
           resolve(library, "hb_unicode_funcs_get_default", api.unicode_funcs_get_default) &&
           resolve(library, "hb_unicode_general_category", api.unicode_general_category) &&
           resolve(library, "hb_unicode_script", api.unicode_script) &&
           resolve(library, "hb_script_get_horizontal_direction",
                   api.script_get_horizontal_direction);
}

} // namespace

const HarfBuzzApi* harfBuzz() {
    static HarfBuzzApi api{};
    static const bool loaded = load(api);
    return loaded ? &api : nullptr;
}

std::optional<hb_unicode_general_category_t> generalCategory(char32_t c) {
    const HarfBuzzApi* hb = harfBuzz();
    if (!hb)
        return std::nullopt;
    return hb->unicode_general_category(hb->unicode_funcs_get_default(), c);
}

} // namespace converter
