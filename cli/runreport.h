#pragma once

#include "drawingjobs.h"
#include "terminalprogress.h"

#include <QByteArray>
#include <QString>

namespace cli {

// What a run tells: with --print the path of each image made on standard
// output (one a line, or NUL-terminated), with --json one object per address
// there; the reason for each image not made on standard error; and the
// progress line and summary on a terminal.
class RunReport {
public:
    struct Options {
        bool printPaths = false;
        bool json = false;
        bool nulTerminated = false;
        bool progress = true;
        QByteArray folder; // as given; empty for the current folder
        QString extension;
    };
    explicit RunReport(const Options& options);

    // Tells what became of one address. Throws support::Failure the first
    // time standard output cannot take it; it is not written to again.
    void tell(const ImageOutcome& outcome);
    // Tells a problem of the whole run, or of the command, as one line.
    void tellProblem(const QString& message);
    void summarize() { progress_.summarize(made_, notMade_); }

    qsizetype notMade() const { return notMade_; }

private:
    void toStandardOutput(const QByteArray& bytes);
    void toStandardError(const QString& line);

    Options options_;
    TerminalProgress progress_;
    qsizetype made_ = 0;
    bool outputFailed_ = false;
    qsizetype notMade_ = 0;
};

} // namespace cli
