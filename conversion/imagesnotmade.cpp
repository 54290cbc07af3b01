#include "imagesnotmade.h"

namespace conversion {

namespace {

constexpr qsizetype kListedImages = 20;
constexpr qsizetype kShownNameLength = 80;

// A name as long as a file name can be would fill the box on its own, and a
// NUL would end the text there; it is shown as "\0".
QString shownName(QString image) {
    image.replace(QChar(0), QStringLiteral("\\0"));
    if (image.size() <= kShownNameLength)
        return image;
    return image.left(kShownNameLength - 1) + QChar(0x2026);
}

} // namespace

void ImagesNotMade::add(const QString& image, const QString& reason) {
    entries_.append({image, reason});
}

QString ImagesNotMade::closingMessage(qsizetype attempted) const {
    QString message = QStringLiteral("Done.");
    if (entries_.isEmpty())
        return message;
    message += QStringLiteral("\n\n%1 of %2 %3 %4 not made:")
                   .arg(entries_.size())
                   .arg(attempted)
                   .arg(attempted == 1 ? QStringLiteral("image") : QStringLiteral("images"))
                   .arg(entries_.size() == 1 ? QStringLiteral("was") : QStringLiteral("were"));
    for (qsizetype i = 0; i < entries_.size() && i < kListedImages; ++i)
        message +=
            QStringLiteral("\n\"%1\": %2").arg(shownName(entries_[i].image), entries_[i].reason);
    if (entries_.size() > kListedImages)
        message += QStringLiteral("\n... and %1 more.").arg(entries_.size() - kListedImages);
    return message;
}

} // namespace conversion
