#pragma once

#include <converter/drawstyle.h>

#include <QList>
#include <QString>

#include <optional>

namespace cli {

// How each address's images are drawn: at every scale, in the light colour
// set and, when asked for, the dark one.
struct ImageStyles {
    QList<int> scales{1}; // ascending, each once
    converter::DrawStyle light;
    std::optional<converter::DrawStyle> dark;

    bool clearGround() const { return light.clearGround || (dark && dark->clearGround); }
};

// --scale LIST: whole numbers from 1 to 4 separated by commas, in any order
// (a repeat counts once). Nothing, and why in `error`, for anything else.
std::optional<QList<int>> ParseScales(const QString& text, QString* error);

// --dark COLOR[,BACKGROUND]: the dark set's ink and ground; without a
// ground, a clear one, so that the page's own dark ground shows.
std::optional<converter::DrawStyle> ParseDarkSet(const QString& text, QString* error);

} // namespace cli
