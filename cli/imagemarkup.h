#pragma once

#include <QList>
#include <QString>

namespace cli {

// One image of an address as srcset lists it.
struct ImageCandidate {
    int scale;
    QString url;
};

// What a page shows for one address: the light set (at least one image, the
// smallest scale first), the dark set (empty without one, else the same
// scales), the scale-1 size and the alternative text.
struct AddressImages {
    QList<ImageCandidate> light;
    QList<ImageCandidate> dark;
    int width = 0;
    int height = 0;
    QString alt;
};

// One line of HTML for the page: an <img> with src (the smallest scale),
// srcset (every scale), width, height and alt; with a dark set, inside a
// <picture> whose <source> gives the dark set to a dark colour scheme.
// Every attribute is escaped.
QString ImageMarkup(const AddressImages& images);

} // namespace cli
