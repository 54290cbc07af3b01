#include "pathcollapse.h"

namespace support {
namespace {

// Appends text[from..] to `out`, turning each non-overlapping pair of
// separators into one.
void appendCollapsingPairs(QString& out, const QString& text, qsizetype from, QChar separator) {
    for (qsizetype i = from; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == separator && i + 1 < text.size() && text[i + 1] == separator)
            ++i;
    }
}

} // namespace

QString CollapseBackslashes(const QString& path, QChar separator) {
    const bool widensLeading = separator == u'\\' && path.startsWith(separator);
    if (!widensLeading && !path.contains(QString(2, separator)))
        return path; // nothing to mend: share the text instead of copying it
    QString out;
    out.reserve(path.size() + 1);
    qsizetype start = 0;
    if (path.startsWith(separator)) {
        start = 1;
        while (start < path.size() && path[start] == separator)
            ++start;
        out.fill(separator, separator == u'\\' ? 2 : 1);
    }
    appendCollapsingPairs(out, path, start, separator);
    return out;
}

} // namespace support
