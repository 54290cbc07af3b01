#pragma once

#include <hb.h>

#include <optional>

namespace converter {

// The part of HarfBuzz the converter uses, loaded from the system library the
// first time a text needs shaping. Loading libharfbuzz with its dependencies
// (GLib, Graphite, PCRE) costs more than the rest of a run, and the common
// text, an address in Latin letters, needs no shaping in a monospaced cell.
struct HarfBuzzApi {
    decltype(&hb_blob_create_from_file) blob_create_from_file;
    decltype(&hb_blob_destroy) blob_destroy;
    decltype(&hb_face_create) face_create;
    decltype(&hb_face_destroy) face_destroy;
    decltype(&hb_font_create) font_create;
    decltype(&hb_font_destroy) font_destroy;
    decltype(&hb_buffer_create) buffer_create;
    decltype(&hb_buffer_destroy) buffer_destroy;
    decltype(&hb_buffer_add_utf32) buffer_add_utf32;
    decltype(&hb_buffer_set_language) buffer_set_language;
    decltype(&hb_language_from_string) language_from_string;
    decltype(&hb_buffer_guess_segment_properties) buffer_guess_segment_properties;
    decltype(&hb_buffer_get_glyph_infos) buffer_get_glyph_infos;
    decltype(&hb_buffer_get_glyph_positions) buffer_get_glyph_positions;
    decltype(&hb_shape) shape;
    decltype(&hb_unicode_funcs_get_default) unicode_funcs_get_default;
    decltype(&hb_unicode_general_category) unicode_general_category;
    decltype(&hb_unicode_script) unicode_script;
    decltype(&hb_script_get_horizontal_direction) script_get_horizontal_direction;
};

// The loaded library, or null when the system has none; the caller then lays
// the text out glyph by glyph without shaping.
const HarfBuzzApi* harfBuzz();

// The Unicode general category of c; none without HarfBuzz.
std::optional<hb_unicode_general_category_t> generalCategory(char32_t c);

} // namespace converter
