#pragma once

#include <QElapsedTimer>
#include <QString>

#include <cstdio>

namespace cli {

// One line on a terminal, rewritten in place as images are made: count,
// share, rate and the address at hand. Silent when the stream is not a
// terminal, so that scripts and logs get only what went wrong.
class TerminalProgress {
public:
    TerminalProgress(std::FILE* stream, qsizetype total, bool wanted);
    ~TerminalProgress();

    void show(qsizetype started, const QString& current);
    // Clears the line, so that later messages start on a clean one.
    void clear();

private:
    std::FILE* stream_;
    qsizetype total_;
    bool enabled_;
    bool shown_ = false;
    QElapsedTimer sinceStart_;
    qint64 lastShownAt_ = -1;
};

// `text` with control characters written as escapes (\n, \t, \x1b...), so an
// address cannot move the cursor or recolour the terminal it is printed on;
// cut in the middle when longer than a few hundred characters.
QString PrintableText(const QString& text);

} // namespace cli
