#pragma once

#include <QByteArrayView>
#include <QString>

namespace support {

// `bytes` without a leading UTF-8 byte-order mark, which must never stick to
// the first entry of a list file.
QByteArrayView WithoutUtf8Bom(QByteArrayView bytes);

// Windows-1252, the code page legacy lists were saved in, to Unicode; the
// five bytes the code page leaves undefined map to the control characters of
// the same value, so no byte is lost.
QString DecodeWindows1252(QByteArrayView bytes);

// One text of a list: UTF-8 when it is valid UTF-8, Windows-1252 otherwise.
// A U+FEFF at its start stays part of it.
QString DecodeUtf8OrWindows1252(QByteArrayView bytes);

} // namespace support
