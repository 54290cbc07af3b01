#include "cursorfile.h"

#include <support/failure.h>

#include <QFile>
#include <QImageReader>
#include <QPixmap>
#include <QtEndian>

namespace {

// The first entry's hot spot of an ICONDIR of type 2 (cursor).
QPoint hotSpot(const QByteArray& header) {
    const auto* bytes = reinterpret_cast<const uchar*>(header.constData());
    if (header.size() < 14 || qFromLittleEndian<quint16>(bytes + 2) != 2)
        return {0, 0};
    return {qFromLittleEndian<quint16>(bytes + 10), qFromLittleEndian<quint16>(bytes + 12)};
}

} // namespace

QCursor LoadCursorFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        support::fail(QStringLiteral("Invalid picture \"%1\": %2").arg(path, file.errorString()));
    const QPoint spot = hotSpot(file.peek(14));
    QImageReader reader(&file);
    const QImage image = reader.read();
    if (image.isNull())
        support::fail(QStringLiteral("Invalid picture \"%1\": %2").arg(path, reader.errorString()));
    const QPoint clamped(qBound(0, spot.x(), image.width() - 1),
                         qBound(0, spot.y(), image.height() - 1));
    return QCursor(QPixmap::fromImage(image), clamped.x(), clamped.y());
}
