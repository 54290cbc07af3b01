#pragma once

#include <QCursor>
#include <QString>

// A pointer image from a .cur or .ico file, as many pixels wide as the file's
// smallest picture times `devicePixelRatio` (the screen's pixels per logical
// pixel), made from the file's picture closest in size. A cursor file's own
// hot spot is kept; an icon points with its top-left corner. Throws
// support::Failure when the file is not a picture.
QCursor LoadCursorFile(const QString& path, qreal devicePixelRatio);
