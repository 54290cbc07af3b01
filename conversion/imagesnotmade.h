#pragma once

#include <QList>
#include <QString>

namespace conversion {

// The images a run could not make, and why; told in the run's closing message.
class ImagesNotMade {
public:
    void add(const QString& image, const QString& reason);
    qsizetype count() const { return entries_.size(); }

    // "Done." when all `attempted` images were made; otherwise "Done." with
    // the count and the first few images and their reasons, so that even
    // thousands of failures fit on the screen.
    QString closingMessage(qsizetype attempted) const;

private:
    struct Entry {
        QString image;
        QString reason;
    };
    QList<Entry> entries_;
};

} // namespace conversion
