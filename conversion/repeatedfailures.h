#pragma once

#include <QString>
#include <map>

namespace conversion {

// The failures of one run by the step (line) they happened at, so that a
// full disk is answered once and not once per image: the first failure at a
// line is shown, later ones there are only counted for the closing report.
class RepeatedFailures {
public:
    // True for the first failure at `line`: that one is to be shown.
    bool isFirstAt(int line, const QString& description);

    // For the closing report: each line that failed again, what it first
    // reported and "... and N more failed the same way."; empty when none did.
    QString report() const;

private:
    struct Seen {
        QString description;
        qsizetype more = 0;
    };
    std::map<int, Seen> lines_;
};

} // namespace conversion
