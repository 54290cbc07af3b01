#pragma once

#include <QString>

// The product name cut at word boundaries: always once before its last space,
// then again until at most 40 characters remain. A name without a space has
// nowhere to cut and stays as it is.
QString ApplicationTitle(const QString& productName);
