#include "apptitle.h"

namespace {
constexpr qsizetype kMaxTitleLength = 40;

bool cutBeforeLastSpace(QString& text) {
    const qsizetype space = text.lastIndexOf(u' ');
    if (space < 0)
        return false;
    text.truncate(space);
    return true;
}
} // namespace

QString ApplicationTitle(const QString& productName) {
    QString title = productName;
    bool cut = cutBeforeLastSpace(title);
    while (cut && title.size() > kMaxTitleLength)
        cut = cutBeforeLastSpace(title);
    return title;
}
