#include "repeatedfailures.h"

namespace conversion {

bool RepeatedFailures::isFirstAt(int line, const QString& description) {
    const auto [seen, first] = lines_.try_emplace(line, Seen{description});
    if (!first)
        ++seen->second.more;
    return first;
}

QString RepeatedFailures::report() const {
    QString report;
    for (const auto& [line, seen] : lines_)
        if (seen.more > 0)
            // One arg() call: a "%1" in a path of the description stays as it is.
            report += QStringLiteral("\n\nAt line %1: %2\n... and %3 more failed the same way.")
                          .arg(QString::number(line), seen.description, QString::number(seen.more));
    return report;
}

} // namespace conversion
