#pragma once

#include <QString>

#include <optional>

namespace cli {

// One of the images a run makes for an address: its scale and whether it
// belongs to the dark set.
struct ImageVariant {
    int scale = 1;
    bool dark = false;
};

// The variant's name from the image's name: NAME for scale 1 of the light
// set (as a run without scales or a dark set names it), NAME@2x, NAME@dark,
// NAME@dark@2x. The suffixes go before the extension.
QString VariantName(const QString& name, const ImageVariant& variant);

// Why `name` cannot be used in a run that also makes scaled or dark images:
// it ends as their names end (@2x, @3x, @4x, @dark), so it could take the
// name of another address's image. An address's own name never does (no
// domain ends so), so only a template's text or a local part can.
std::optional<QString> ReservedNameReason(const QString& name);

} // namespace cli
