#include "runreport.h"

#include <support/failure.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cstdio>

namespace cli {

RunReport::RunReport(const Options& options)
    : options_(options), progress_(stderr, options.progress) {}

void RunReport::tell(const ImageOutcome& outcome) {
    progress_.show(made_ + notMade_ + 1, outcome.address);
    const QString fileName = outcome.name + u'.' + options_.extension;
    QByteArray path = options_.folder;
    if (!path.isEmpty() && !path.endsWith('/'))
        path += '/';
    path += fileName.toUtf8();

    if (outcome.notMade) {
        ++notMade_;
        // Each part cut by itself, so a long address leaves its reason whole.
        toStandardError(PrintableText(outcome.address) + QStringLiteral(": ") +
                        PrintableText(*outcome.notMade));
    } else {
        ++made_;
    }
    if (options_.printPaths && !outcome.notMade)
        toStandardOutput(path + (options_.nulTerminated ? '\0' : '\n'));
    if (options_.json) {
        QJsonObject object{{QStringLiteral("address"), outcome.address}};
        if (outcome.notMade) {
            object.insert(QStringLiteral("reason"), *outcome.notMade);
        } else {
            object.insert(QStringLiteral("path"), QString::fromUtf8(path));
            object.insert(QStringLiteral("width"), outcome.width);
            object.insert(QStringLiteral("height"), outcome.height);
        }
        toStandardOutput(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
    }
}

void RunReport::tellProblem(const QString& message) {
    toStandardError(PrintableText(message));
}

void RunReport::toStandardError(const QString& line) {
    progress_.clear();
    std::fprintf(stderr, "orvanta: %s\n", line.toLocal8Bit().constData());
}

void RunReport::toStandardOutput(const QByteArray& bytes) {
    if (outputFailed_)
        return; // told once, when it failed
    // Flushed at once, so a script reading along sees each image as it is made.
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()) ||
        std::fflush(stdout) != 0) {
        const int error = errno;
        outputFailed_ = true;
        support::fail(QStringLiteral("standard output: %1").arg(support::ErrorText(error)));
    }
}

} // namespace cli
