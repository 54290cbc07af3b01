#include "imagestyles.h"

#include "csscolor.h"

#include <QStringList>

#include <algorithm>

namespace cli {

std::optional<QList<int>> ParseScales(const QString& text, QString* error) {
    QList<int> scales;
    for (const QString& part : text.split(u',')) {
        bool number = false;
        const int scale = part.trimmed().toInt(&number);
        if (!number || scale < 1 || scale > converter::kMaxScale) {
            *error = QStringLiteral("--scale takes whole numbers from 1 to %1 separated by "
                                    "commas, such as 1,2,3; not '%2'.")
                         .arg(converter::kMaxScale)
                         .arg(text);
            return std::nullopt;
        }
        if (!scales.contains(scale))
            scales.append(scale);
    }
    std::sort(scales.begin(), scales.end());
    return scales;
}

std::optional<converter::DrawStyle> ParseDarkSet(const QString& text, QString* error) {
    const qsizetype comma = text.indexOf(u',');
    const auto refuse = [&] {
        *error = QStringLiteral("--dark: ") + *error;
        return std::nullopt;
    };
    const std::optional<CssColor> ink = ParseCssColor(text.left(comma), error);
    if (!ink)
        return refuse();
    if (ink->transparent) {
        *error = QStringLiteral("--dark: the text cannot be transparent.");
        return std::nullopt;
    }
    converter::DrawStyle dark{1, ink->rgb, {}, true};
    if (comma < 0)
        return dark;
    const std::optional<CssColor> ground = ParseCssColor(text.mid(comma + 1), error);
    if (!ground)
        return refuse();
    dark.ground = ground->rgb;
    dark.clearGround = ground->transparent;
    return dark;
}

} // namespace cli
