#include "imagemarkup.h"

#include <QStringList>

namespace cli {
namespace {

// Qt's HTML escape, and the apostrophe too, so that an attribute is safe
// whichever quotes hold it.
QString escaped(const QString& text) {
    return text.toHtmlEscaped().replace(u'\'', QStringLiteral("&#39;"));
}

QString srcset(const QList<ImageCandidate>& images) {
    QStringList candidates;
    for (const ImageCandidate& image : images)
        candidates.append(image.url + u' ' + QString::number(image.scale) + u'x');
    return escaped(candidates.join(QStringLiteral(", ")));
}

} // namespace

QString ImageMarkup(const AddressImages& images) {
    const QString img = QStringLiteral("<img src=\"%1\" srcset=\"%2\" width=\"%3\" height=\"%4\" "
                                       "alt=\"%5\">")
                            // One pass: a URL's own "%2C" is no place for an argument.
                            .arg(escaped(images.light.constFirst().url), srcset(images.light),
                                 QString::number(images.width), QString::number(images.height),
                                 escaped(images.alt));
    if (images.dark.isEmpty())
        return img;
    return QStringLiteral("<picture><source media=\"(prefers-color-scheme: dark)\" "
                          "srcset=\"%1\">%2</picture>")
        .arg(srcset(images.dark), img);
}

} // namespace cli
