#include "headlessconversion.h"

#include "addressreader.h"
#include "descriptorlimit.h"
#include "drawingjobs.h"
#include "imageset.h"
#include "imageurl.h"
#include "nameclashes.h"
#include "outputfolder.h"
#include "runreport.h"

#include <conversion/imagepath.h>
#include <converter/cellmetrics.h>
#include <converter/inputfile.h>
#include <support/failure.h>
#include <support/stopsignals.h>

#include <QFile>

#include <malloc.h>
#include <unistd.h>

namespace cli {
namespace {

constexpr int kAllMade = 0;
constexpr int kSomeNotMade = 1;
constexpr int kRunStopped = 2;
constexpr int kKeptFreeBytes = 64 << 20;

// The most lines one image can hold: the format's largest side at one em a
// line, with an eighth of an em below the last.
qsizetype mostLines(converter::ImageFormat format) {
    const double side = double(converter::sizeLimits(format).maxSide);
    return static_cast<qsizetype>((side - converter::kEmPixels / 8) / converter::kEmPixels);
}

// One --convert run: the addresses as they are read, up to `jobs` images at
// once, each told in list order; stopped at once by a problem that every
// image would share, and by a stop request.
class HeadlessRun {
public:
    explicit HeadlessRun(const Invocation& invocation)
        : invocation_(invocation),
          format_(invocation.format == QStringLiteral("png") ? converter::ImageFormat::Png
                                                             : converter::ImageFormat::Jpeg),
          extension_(invocation.format), images_(invocation.styles, extension_),
          reader_(invocation.sources, invocation.nulSeparated, stop_.descriptor()),
          report_({invocation.printPaths, invocation.json, invocation.nulSeparated,
                   !invocation.quiet, invocation.html, invocation.outputFolder,
                   invocation.urlPrefix.value_or(
                       FolderAsUrl(QFile::decodeName(invocation.outputFolder))),
                   invocation.alt},
                  images_) {}

    int run() {
        try {
            if (format_ == converter::ImageFormat::Jpeg && invocation_.styles.clearGround())
                support::fail(QStringLiteral("JPEG has no transparency: make PNG images (-f png), "
                                             "or give the ground a colour (--background, --dark "
                                             "COLOR,BACKGROUND)"));
            const OutputFolder folder(invocation_.outputFolder);
            std::optional<InputRecord> first = reader_.next();
            endIfStopped();
            if (!first)
                support::fail(QStringLiteral("no addresses to convert"));
            DrawingJobs jobs(format_, folder.descriptor(), threads(), {stop_.flag(), placing_});
            if (invocation_.wholeList)
                convertWholeList(jobs, folder, std::move(*first));
            else
                convertEach(jobs, folder, std::move(first));
        } catch (const support::Failure& failure) {
            tellRunWideProblem(failure.description());
        }
        report_.summarize();
        if (stopped_)
            return kRunStopped;
        return report_.notMade() == 0 ? kAllMade : kSomeNotMade;
    }

private:
    int threads() {
        if (invocation_.wholeList)
            return 1;
        const int threads = JobsWithinDescriptorLimit(invocation_.jobs);
        if (threads < invocation_.jobs)
            report_.tellProblem(QStringLiteral("--jobs lowered from %1 to %2 to fit the limit on "
                                               "open files")
                                    .arg(invocation_.jobs)
                                    .arg(threads));
        return threads;
    }

    // A stop ends the program by its signal: nothing more is started, told or
    // put in place.
    void endIfStopped() {
        if (!stop_.requested())
            return;
        placing_.lock(); // held to the end
        report_.summarize();
        stop_.endAsAsked();
    }

    void tellRunWideProblem(const QString& problem) {
        endIfStopped(); // a closed pipe is a stop, not a problem
        if (!stopped_)
            report_.tellProblem(problem);
        stopped_ = true;
    }

    void convertEach(DrawingJobs& jobs, const OutputFolder& folder,
                     std::optional<InputRecord> record) {
        try {
            for (qsizetype n = 1; record && !stopped_; ++n) {
                while (!jobs.hasRoom()) {
                    tellReady(jobs);
                    if (!jobs.hasRoom())
                        waitForAnEnd(jobs);
                }
                if (record->refused) {
                    jobs.refuse(record->address, *record->refused);
                } else {
                    const QString name = invocation_.name.nameFor(record->address, n);
                    startUnlessClashing(jobs, folder, record->address, name, n);
                }
                tellReady(jobs);
                record = reader_.next();
                endIfStopped();
            }
        } catch (const support::Failure& failure) {
            // The images under way are still told.
            tellRunWideProblem(failure.description());
        }
        tellUntilIdle(jobs);
    }

    // Why the images named `name` cannot be made in the folder, or nothing.
    std::optional<QString> refusedName(const OutputFolder& folder, const QString& name) const {
        if (images_.hasVariants())
            if (auto reserved = ReservedNameReason(name))
                return reserved;
        for (const ImageSet::Member& member : images_.members())
            if (auto refused = conversion::RefusedImageReason(
                    folder.path(), VariantName(name, member.variant), extension_))
                return refused;
        return std::nullopt;
    }

    void startUnlessClashing(DrawingJobs& jobs, const OutputFolder& folder, const QString& address,
                             const QString& name, qsizetype place) {
        if (const auto refused = refusedName(folder, name))
            return jobs.refuse(address, *refused);
        // Names of one set never meet another's (refusedName), so the
        // first image's path stands for all of an address's images.
        if (const auto earlier =
                clashes_.claim(images_.fileName(name, images_.members().constFirst()), place))
            return jobs.refuse(address, QStringLiteral("its image would have the same path as "
                                                       "the image of address %1 in the list")
                                            .arg(*earlier));
        jobs.start(address, images_.files(folder.path(), name), address, name);
    }

    void convertWholeList(DrawingJobs& jobs, const OutputFolder& folder, InputRecord record) {
        const QString name = invocation_.name.nameFor(conversion::kWholeListName, 1);
        const QString shownAs = name + u'.' + extension_;
        QString text;
        qsizetype textBytes = 0;
        for (qsizetype line = 1;; ++line) {
            std::optional<QString> tooMuch = record.refused;
            if (line > mostLines(format_))
                tooMuch = QStringLiteral("the list has more lines than one image can hold "
                                         "(%1)")
                              .arg(mostLines(format_));
            else if ((textBytes += record.address.toUtf8().size() + 2) >
                     qsizetype(converter::kMaxInputBytes))
                tooMuch = QStringLiteral("the list is more text than one image can hold");
            if (tooMuch) {
                jobs.refuse(shownAs, QStringLiteral("at address %1: %2").arg(line).arg(*tooMuch));
                break;
            }
            text += (line > 1 ? QStringLiteral("\r\n") : QString()) + record.address;
            auto next = reader_.next();
            endIfStopped();
            if (!next) {
                if (const auto refused = refusedName(folder, name))
                    jobs.refuse(shownAs, *refused);
                else
                    jobs.start(text, images_.files(folder.path(), name), shownAs, name);
                break;
            }
            record = std::move(*next);
        }
        tellUntilIdle(jobs);
    }

    void waitForAnEnd(DrawingJobs& jobs) {
        jobs.waitForAnEnd(stop_.descriptor());
        endIfStopped();
    }

    void tellReady(DrawingJobs& jobs) {
        endIfStopped(); // a drawing abandoned is never told
        while (const auto outcome = jobs.takeOldest()) {
            if (!outcome->failedForEveryImage)
                report_.tell(*outcome);
            else if (!stopped_)
                tellRunWideProblem(*outcome->notMade);
        }
    }

    void tellUntilIdle(DrawingJobs& jobs) {
        while (!jobs.isIdle()) {
            tellReady(jobs);
            if (!jobs.isIdle())
                waitForAnEnd(jobs);
        }
    }

    const Invocation& invocation_;
    const converter::ImageFormat format_;
    const QString extension_;
    support::StopSignals stop_{SIGINT, SIGTERM, SIGHUP, SIGPIPE};
    std::mutex placing_;
    const ImageSet images_;
    AddressReader reader_;
    RunReport report_;
    NameClashes clashes_;
    bool stopped_ = false;
};

} // namespace

int ConvertWithoutWindow(const Invocation& invocation) {
    // Each image takes and gives back the encoder's tables, some hundreds of
    // KiB: returned to the system at once, they were faulted in again for
    // the next image, which took a fifth of a scale-2 run.
    ::mallopt(M_TRIM_THRESHOLD, kKeptFreeBytes);
    try {
        return HeadlessRun(invocation).run();
    } catch (const std::bad_alloc&) {
        // Nothing allocated on the way out: what was is freed by unwinding.
        static const char kMessage[] = "orvanta: not enough memory to go on; stopped\n";
        [[maybe_unused]] const ssize_t written =
            ::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
        return kRunStopped;
    }
}

} // namespace cli
