#pragma once

#include <QByteArray>
#include <QString>

namespace support {

// The text of a list file: UTF-8 when the bytes are valid UTF-8, otherwise
// Windows-1252, the code page legacy lists were saved in. A leading UTF-8
// byte-order mark is dropped either way, so it never sticks to the first entry.
QString DecodeListText(const QByteArray& bytes);

// Windows-1252 to Unicode; the five bytes the code page leaves undefined map
// to the control characters of the same value, so no byte is lost.
QString DecodeWindows1252(QByteArrayView bytes);

} // namespace support
