#include "cursorfile.h"

#include <support/failure.h>

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>
#include <QtEndian>

#include <algorithm>

namespace {

struct Picture {
    QImage image;
    QPoint hotSpot;
};

[[noreturn]] void invalid(const QString& path, const QString& reason) {
    support::fail(QStringLiteral("Invalid picture \"%1\": %2").arg(path, reason));
}

// The hot spot of each entry of an ICONDIR of type 2 (cursor); an icon's
// entries point with their top-left corner.
QList<QPoint> hotSpots(QFile& file) {
    const QByteArray header = file.peek(6);
    const auto* bytes = reinterpret_cast<const uchar*>(header.constData());
    if (header.size() < 6 || qFromLittleEndian<quint16>(bytes + 2) != 2)
        return {};
    const int count = qFromLittleEndian<quint16>(bytes + 4);
    const QByteArray directory = file.peek(6 + 16 * count);
    const auto* entries = reinterpret_cast<const uchar*>(directory.constData()) + 6;
    QList<QPoint> spots;
    for (int i = 0; i < count && 6 + 16 * (i + 1) <= directory.size(); ++i)
        spots << QPoint(qFromLittleEndian<quint16>(entries + 16 * i + 4),
                        qFromLittleEndian<quint16>(entries + 16 * i + 6));
    return spots;
}

QList<Picture> readPictures(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        invalid(path, file.errorString());
    const QList<QPoint> spots = hotSpots(file);
    QImageReader reader(&file);
    QList<Picture> pictures;
    for (int i = 0; i == 0 || reader.jumpToNextImage(); ++i) {
        QImage image = reader.read();
        if (image.isNull())
            break;
        pictures.append({std::move(image), spots.value(i)});
    }
    if (pictures.isEmpty())
        invalid(path, reader.errorString());
    return pictures;
}

bool narrower(const Picture& a, const Picture& b) {
    return a.image.width() < b.image.width();
}

// The narrowest picture at least `width` pixels wide, or else the widest.
const Picture& closest(const QList<Picture>& pictures, int width) {
    const Picture* best = nullptr;
    for (const Picture& picture : pictures)
        if (picture.image.width() >= width && (!best || narrower(picture, *best)))
            best = &picture;
    return best ? *best : *std::max_element(pictures.begin(), pictures.end(), narrower);
}

} // namespace

QCursor LoadCursorFile(const QString& path, qreal devicePixelRatio) {
    const QList<Picture> pictures = readPictures(path);
    // The smallest picture gives the pointer's size on the screen; the others
    // are the same drawing for screens with more pixels to the inch.
    const int logicalWidth =
        std::min_element(pictures.begin(), pictures.end(), narrower)->image.width();
    const int width = qMax(1, qRound(logicalWidth * devicePixelRatio));
    const Picture& chosen = closest(pictures, width);

    QImage image = chosen.image;
    QPointF spot = chosen.hotSpot;
    if (image.width() != width) {
        const qreal factor = qreal(width) / image.width();
        // Whole multiples keep the drawing's edges sharp.
        const bool whole = width % image.width() == 0;
        image = image.scaled(width, qMax(1, qRound(image.height() * factor)), Qt::IgnoreAspectRatio,
                             whole ? Qt::FastTransformation : Qt::SmoothTransformation);
        spot *= factor;
    }
    const QPoint onImage(qBound(0, qRound(spot.x()), image.width() - 1),
                         qBound(0, qRound(spot.y()), image.height() - 1));
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    // Qt takes the hot spot in the screen's logical pixels, but its X11 plugin
    // hands it to the server unconverted, as pixels of the image.
    const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
    const QPoint hotSpot = x11 ? onImage : (QPointF(onImage) / devicePixelRatio).toPoint();
    return QCursor(pixmap, hotSpot.x(), hotSpot.y());
}
