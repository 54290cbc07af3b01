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
            report += QStringLiteral("\n\nAt line %1: %2\n... and %3 more failed the same way.")
                          .arg(line)
                          .arg(seen.description)
                          .arg(seen.more);
    return report;
}

} // namespace conversion
