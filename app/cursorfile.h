#pragma once

#include <QCursor>
#include <QString>

// A pointer image from a .cur or .ico file. A cursor file's own hot spot is
// kept; an icon points with its top-left corner. Throws support::Failure when
// the file is not a picture.
QCursor LoadCursorFile(const QString& path);
