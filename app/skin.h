#pragma once

#include <QString>

// The optional skin is a Qt style sheet. Only an ordinary file counts.
bool SkinFileExists(const QString& path);

// The style sheet's text. Throws support::Failure when the file cannot be read
// or is not UTF-8 text, which no style sheet can be.
QString ReadSkin(const QString& path);
