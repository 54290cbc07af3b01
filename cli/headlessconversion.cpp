#include "headlessconversion.h"

#include "addresssources.h"
#include "stoprequests.h"
#include "terminalprogress.h"

#include <conversion/conversion.h>
#include <conversion/imagepath.h>
#include <support/failure.h>
#include <support/fileutils.h>

#include <QDir>

#include <cstdio>
#include <optional>

namespace cli {
namespace {

constexpr int kAllMade = 0;
constexpr int kSomeNotMade = 1;
constexpr int kNothingToDo = 2;

void printError(const QString& message) {
    std::fprintf(stderr, "orvanta: %s\n", PrintableText(message).toLocal8Bit().constData());
}

// The window's run, one image after another, told on the terminal.
class HeadlessRun {
public:
    HeadlessRun(const conversion::ConverterTool& tool, const QString& outputFolder,
                qsizetype images, bool quiet)
        : tool_(tool), outputFolder_(outputFolder), progress_(stderr, images, !quiet) {}

    void open() {
        std::optional<QString> unusable;
        try {
            run_.open();
            run_.putTool(tool_, run_.toolBytes(tool_));
        } catch (const support::Failure& failure) {
            unusable = failure.description();
        }
        if (!run_.passedOver().isEmpty())
            printError(run_.passedOver());
        // Every image then names the cause; say it once before them.
        if (unusable)
            printError(*unusable);
    }

    void makeImage(const QString& text, const QString& name, const QString& shownAs) {
        progress_.show(++started_, shownAs);
        const std::optional<QString> notMade =
            run_.convert(tool_, text, outputFolder_, name, conversion::WaitingProgress{});
        if (!notMade)
            return;
        ++notMadeCount_;
        progress_.clear();
        std::fprintf(stderr, "%s: %s\n", PrintableText(shownAs).toLocal8Bit().constData(),
                     PrintableText(*notMade).toLocal8Bit().constData());
    }

    int exitStatus() {
        progress_.clear();
        run_.close();
        return notMadeCount_ == 0 ? kAllMade : kSomeNotMade;
    }

private:
    conversion::Conversion run_;
    const conversion::ConverterTool& tool_;
    QString outputFolder_;
    TerminalProgress progress_;
    qsizetype started_ = 0;
    qsizetype notMadeCount_ = 0;
};

} // namespace

int ConvertWithoutWindow(const Invocation& invocation) {
    support::EntryList addresses;
    try {
        addresses = ReadAddresses(invocation.sources);
    } catch (const support::Failure& failure) {
        printError(failure.description());
        return kNothingToDo;
    }
    // The window's own answers to the same two mistakes.
    if (addresses.isEmpty()) {
        printError(QStringLiteral("No files added."));
        return kNothingToDo;
    }
    const QString folder =
        invocation.outputFolder.isEmpty() ? QDir::currentPath() : invocation.outputFolder;
    if (!support::IsDirectory(folder)) {
        printError(QStringLiteral("Folder does not exist. Please select another folder."));
        return kNothingToDo;
    }

    const conversion::ConverterTool& tool =
        invocation.format == QStringLiteral("png") ? conversion::kPngTool : conversion::kJpegTool;
    StopRequests stop;
    HeadlessRun run(tool, folder, invocation.wholeList ? 1 : addresses.size(), invocation.quiet);
    run.open();
    if (invocation.wholeList) {
        const QString name = conversion::kWholeListName;
        run.makeImage(addresses.texts().join(QStringLiteral("\r\n")), name,
                      name + u'.' + tool.extension);
    } else {
        for (qsizetype i = 0; i < addresses.size() && !stop.requested(); ++i) {
            const QString address = addresses.text(i);
            run.makeImage(address, address, address);
        }
    }
    const int status = run.exitStatus();
    if (stop.requested())
        stop.endAsAsked();
    return status;
}

} // namespace cli
