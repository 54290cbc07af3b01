#pragma once

#include "drawingjobs.h"
#include "imageset.h"
#include "terminalprogress.h"

#include <QByteArray>
#include <QString>

namespace cli {

// What a run tells: with --print the path of each image made on standard
// output (one a line, or NUL-terminated), with --json one object per address
// there, with --html one line of markup per address; the reason for each
// address not made on standard error; and the progress line and summary on
// a terminal.
class RunReport {
public:
    struct Options {
        bool printPaths = false;
        bool json = false;
        bool nulTerminated = false;
        bool progress = true;
        bool html = false;
        QByteArray folder; // as given; empty for the current folder
        QString urlPrefix; // how a page reaches the folder
        QString alt;
    };
    RunReport(const Options& options, const ImageSet& images);

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

    void tellJson(const ImageOutcome& outcome, const QList<QByteArray>& paths,
                  const QStringList& urls);
    void tellHtml(const ImageOutcome& outcome, const QStringList& urls);

    Options options_;
    const ImageSet& images_;
    TerminalProgress progress_;
    qsizetype made_ = 0;
    bool outputFailed_ = false;
    qsizetype notMade_ = 0;
};

} // namespace cli
