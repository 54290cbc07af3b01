#include "imagesize.h"

#include <QFile>

namespace cli {
namespace {

// The converter writes the frame header near the start; an encoder's extra
// segments would have to be very large to push it beyond this.
constexpr qint64 kHeaderBytes = 65536;

int bigEndian16(const uchar* at) {
    return at[0] << 8 | at[1];
}

qint64 bigEndian32(const uchar* at) {
    return qint64(at[0]) << 24 | at[1] << 16 | at[2] << 8 | at[3];
}

std::optional<QSize> pngSize(const QByteArray& bytes) {
    // The signature, then the IHDR chunk's length and type, then its width and height.
    if (bytes.size() < 24 || !bytes.startsWith("\x89PNG\r\n\x1a\n") || bytes.mid(12, 4) != "IHDR")
        return std::nullopt;
    const auto* at = reinterpret_cast<const uchar*>(bytes.constData()) + 16;
    return QSize(int(bigEndian32(at)), int(bigEndian32(at + 4)));
}

std::optional<QSize> jpegSize(const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype size = bytes.size();
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return std::nullopt;
    // Segments follow the start marker: FF, a marker, a two-byte length.
    for (qsizetype at = 2; at + 9 <= size && data[at] == 0xFF;) {
        const uchar marker = data[at + 1];
        const bool frameHeader =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frameHeader)
            return QSize(bigEndian16(data + at + 7), bigEndian16(data + at + 5));
        at += 2 + bigEndian16(data + at + 2);
    }
    return std::nullopt;
}

} // namespace

std::optional<QSize> ImageSizeOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(kHeaderBytes);
    if (const auto png = pngSize(bytes))
        return png;
    return jpegSize(bytes);
}

} // namespace cli
