#pragma once

#include <converter/drawstyle.h>

#include <QString>

#include <optional>

namespace cli {

// A colour as a web page writes it, or `transparent`.
struct CssColor {
    converter::Rgb rgb;
    bool transparent = false;
};

// Reads #rgb, #rrggbb, a CSS colour name (in any case) or transparent.
// Nothing for anything else (an alpha part, rgb() and other functions, an
// unknown name); `error` then says why and what is taken.
std::optional<CssColor> ParseCssColor(const QString& text, QString* error);

} // namespace cli
