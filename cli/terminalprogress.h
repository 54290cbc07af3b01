#pragma once

#include <QElapsedTimer>
#include <QString>

#include <cstdio>

namespace cli {

// One line on a terminal, rewritten in place as images are made: count, rate
// and the address at hand, cut to the terminal's width in screen columns; and
// a summary line at the end. Silent when the stream is not a terminal, so
// that scripts and logs get only what went wrong. A terminal whose TERM is
// dumb or unset gets no escape sequences, only carriage returns and spaces.
class TerminalProgress {
public:
    TerminalProgress(std::FILE* stream, bool wanted);
    ~TerminalProgress();

    void show(qsizetype done, const QString& current);
    // Clears the line, so that later messages start on a clean one.
    void clear();
    // Clears the line and tells how many images were made and not, and how long it took.
    void summarize(qsizetype made, qsizetype notMade);

private:
    std::FILE* stream_;
    bool enabled_;
    bool escapes_;
    int shownColumns_ = 0;
    QElapsedTimer sinceStart_;
    qint64 lastShownAt_ = -1;
};

// `text` with control characters written as escapes (\n, \t, \x1b...), so an
// address cannot move the cursor or recolour the terminal it is printed on;
// cut in the middle when longer than a few hundred characters.
QString PrintableText(const QString& text);

// The start of `text` that fits `columns` screen columns (a wide character
// takes two, a combining mark none), and how many it takes.
QString FitColumns(const QString& text, int columns, int* taken);

} // namespace cli
