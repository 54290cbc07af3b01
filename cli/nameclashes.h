#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace cli {

// The image paths a run has given out so far, so that two addresses never
// get one file: the later one is refused, naming the earlier one's place in
// the list. A path is kept as a 64-bit hash, so a million images cost a few
// tens of megabytes.
class NameClashes {
public:
    // The place of the earlier address whose image has `path`, or nothing
    // (and the path is then given to the address at `place`).
    std::optional<qsizetype> claim(const QString& path, qsizetype place);

private:
    QHash<quint64, qsizetype> placeOf_;
};

} // namespace cli
