#pragma once

#include <QSize>
#include <QString>
#include <optional>

namespace cli {

// The width and height a PNG or JPEG file's header gives (a page wants them
// on its <img>), or nothing when the file holds neither.
std::optional<QSize> ImageSizeOf(const QString& path);

} // namespace cli
