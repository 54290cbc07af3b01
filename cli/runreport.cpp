#include "runreport.h"

#include "imagemarkup.h"
#include "imageurl.h"

#include <support/failure.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cstdio>

namespace cli {

RunReport::RunReport(const Options& options, const ImageSet& images)
    : options_(options), images_(images), progress_(stderr, options.progress) {}

void RunReport::tell(const ImageOutcome& outcome) {
    progress_.show(made_ + notMade_ + 1, outcome.address);
    if (outcome.notMade) {
        ++notMade_;
        // Each part cut by itself, so a long address leaves its reason whole.
        toStandardError(PrintableText(outcome.address) + QStringLiteral(": ") +
                        PrintableText(*outcome.notMade));
        if (options_.json)
            toStandardOutput(
                QJsonDocument(QJsonObject{{QStringLiteral("address"), outcome.address},
                                          {QStringLiteral("reason"), *outcome.notMade}})
                    .toJson(QJsonDocument::Compact) +
                '\n');
        return;
    }
    ++made_;
    if (!options_.printPaths && !options_.json && !options_.html)
        return;
    QList<QByteArray> paths;
    QStringList urls;
    for (const ImageSet::Member& member : images_.members()) {
        const QString fileName = images_.fileName(outcome.name, member);
        QByteArray path = options_.folder;
        if (!path.isEmpty() && !path.endsWith('/'))
            path += '/';
        paths.append(path + fileName.toUtf8());
        urls.append(ImageUrl(options_.urlPrefix, fileName));
    }
    if (options_.printPaths)
        for (const QByteArray& path : paths)
            toStandardOutput(path + (options_.nulTerminated ? '\0' : '\n'));
    if (options_.json)
        tellJson(outcome, paths, urls);
    if (options_.html)
        tellHtml(outcome, urls);
}

// The object's own path, url, width and height are those of the light set's
// scale-1 image, the size a page's <img> takes; `images` lists every image
// made, each with its own size.
void RunReport::tellJson(const ImageOutcome& outcome, const QList<QByteArray>& paths,
                         const QStringList& urls) {
    QJsonObject object{{QStringLiteral("address"), outcome.address},
                       {QStringLiteral("width"), outcome.width},
                       {QStringLiteral("height"), outcome.height}};
    QJsonArray images;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const ImageVariant& variant = images_.members()[i].variant;
        if (variant.scale == 1 && !variant.dark) {
            object.insert(QStringLiteral("path"), QString::fromUtf8(paths[i]));
            object.insert(QStringLiteral("url"), urls[i]);
        }
        images.append(QJsonObject{{QStringLiteral("set"),
                                   variant.dark ? QStringLiteral("dark") : QStringLiteral("light")},
                                  {QStringLiteral("scale"), variant.scale},
                                  {QStringLiteral("path"), QString::fromUtf8(paths[i])},
                                  {QStringLiteral("url"), urls[i]},
                                  {QStringLiteral("width"), outcome.width * variant.scale},
                                  {QStringLiteral("height"), outcome.height * variant.scale}});
    }
    object.insert(QStringLiteral("images"), images);
    toStandardOutput(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
}

void RunReport::tellHtml(const ImageOutcome& outcome, const QStringList& urls) {
    AddressImages markup{{}, {}, outcome.width, outcome.height, options_.alt};
    for (qsizetype i = 0; i < urls.size(); ++i) {
        const ImageVariant& variant = images_.members()[i].variant;
        (variant.dark ? markup.dark : markup.light).append({variant.scale, urls[i]});
    }
    toStandardOutput(ImageMarkup(markup).toUtf8() + '\n');
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
