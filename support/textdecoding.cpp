#include "textdecoding.h"

#include <QStringDecoder>

namespace support {
namespace {

// Bytes 0x80..0x9F; every other byte has the Latin-1 value. Written out
// because Qt's decoder offers Windows-1252 only when it is built with ICU.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, //
};

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");

} // namespace

QByteArrayView WithoutUtf8Bom(QByteArrayView bytes) {
    return bytes.startsWith(kUtf8Bom) ? bytes.sliced(kUtf8Bom.size()) : bytes;
}

QString DecodeWindows1252(QByteArrayView bytes) {
    QString text = QString::fromLatin1(bytes);
    for (QChar& c : text) {
        if (c.unicode() >= 0x80 && c.unicode() <= 0x9F)
            c = QChar(kWindows1252High[c.unicode() - 0x80]);
    }
    return text;
}

QString DecodeUtf8OrWindows1252(QByteArrayView bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                    QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8(bytes);
    return utf8.hasError() ? DecodeWindows1252(bytes) : text;
}

} // namespace support
