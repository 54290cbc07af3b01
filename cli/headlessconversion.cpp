#include "headlessconversion.h"

#include "addressreader.h"
#include "imagejobs.h"
#include "outputfolder.h"
#include "runreport.h"
#include "stoprequests.h"

#include <conversion/conversion.h>
#include <conversion/imagepath.h>
#include <support/failure.h>

namespace cli {
namespace {

constexpr int kAllMade = 0;
constexpr int kSomeNotMade = 1;
constexpr int kRunStopped = 2;

// The most lines one image can hold: the converter's height limit (65,500
// pixels for JPEG, 1,000,000 rows for PNG) at one em (10 pt at 96 DPI) a
// line, with an eighth of an em below the last; and the most text the
// converter reads.
qsizetype mostLines(const conversion::ConverterTool& tool) {
    constexpr double kEm = 40.0 / 3;
    const double height = &tool == &conversion::kPngTool ? 1000000 : 65500;
    return static_cast<qsizetype>((height - kEm / 8) / kEm);
}
constexpr qsizetype kMostTextBytes = qsizetype(16) << 20;

// One --convert run: the addresses as they are read, up to `jobs` images at
// once, each told in list order; stopped at once by a problem that every
// image would share.
class HeadlessRun {
public:
    HeadlessRun(const Invocation& invocation, const conversion::ConverterTool& tool)
        : invocation_(invocation), tool_(tool), reader_(invocation.sources, invocation.nulSeparated,
                                                        [this] { return stop_.requested(); }),
          report_({invocation.printPaths, invocation.json, invocation.nulSeparated,
                   !invocation.quiet, invocation.outputFolder, tool.extension}) {}

    int run() {
        try {
            reader_.openAll();
            const QString folder = CheckedOutputFolder(invocation_.outputFolder);
            std::optional<InputRecord> first = reader_.next();
            if (!first && !stop_.requested())
                support::fail(QStringLiteral("no addresses to convert"));
            if (!first)
                return end();
            openRun();
            ImageJobs jobs(run_, tool_, folder, invocation_.wholeList ? 1 : invocation_.jobs);
            if (invocation_.wholeList)
                convertWholeList(jobs, std::move(*first));
            else
                convertEach(jobs, std::move(first));
        } catch (const support::Failure& failure) {
            report_.tellProblem(failure.description());
            stopped_ = true;
        }
        return end();
    }

private:
    void openRun() {
        try {
            run_.open();
        } catch (const support::Failure&) {
            tellPassedOver();
            throw;
        }
        tellPassedOver();
        run_.putTool(tool_, run_.toolBytes(tool_));
    }

    // Why TEMP was not used, once, whatever comes of the run.
    void tellPassedOver() {
        if (!run_.passedOver().isEmpty())
            report_.tellProblem(run_.passedOver());
    }

    int end() {
        report_.summarize();
        run_.close();
        if (stop_.requested())
            stop_.endAsAsked();
        if (stopped_)
            return kRunStopped;
        return report_.notMade() == 0 ? kAllMade : kSomeNotMade;
    }

    void convertEach(ImageJobs& jobs, std::optional<InputRecord> record) {
        try {
            for (qsizetype n = 1; record && !stop_.requested() && !stopped_;) {
                tellReady(jobs);
                if (!jobs.hasRoom()) {
                    jobs.waitForAnEnd();
                    continue;
                }
                if (record->refused)
                    jobs.refuse(record->address, *record->refused);
                else
                    jobs.start(record->address, invocation_.name.nameFor(record->address, n),
                               record->address);
                ++n;
                record = reader_.next();
            }
        } catch (const support::Failure& failure) {
            // The images under way are still told.
            report_.tellProblem(failure.description());
            stopped_ = true;
        }
        tellUntilIdle(jobs);
    }

    void convertWholeList(ImageJobs& jobs, InputRecord record) {
        const QString name = invocation_.name.nameFor(conversion::kWholeListName, 1);
        const QString shownAs = name + u'.' + tool_.extension;
        QString text;
        qsizetype textBytes = 0;
        for (qsizetype line = 1;; ++line) {
            std::optional<QString> tooMuch = record.refused;
            if (line > mostLines(tool_))
                tooMuch = QStringLiteral("the list has more lines than one image can hold "
                                         "(%1)")
                              .arg(mostLines(tool_));
            else if ((textBytes += record.address.toUtf8().size() + 2) > kMostTextBytes)
                tooMuch = QStringLiteral("the list is more text than one image can hold");
            if (tooMuch) {
                jobs.refuse(shownAs, QStringLiteral("at address %1: %2").arg(line).arg(*tooMuch));
                break;
            }
            text += (line > 1 ? QStringLiteral("\r\n") : QString()) + record.address;
            auto next = reader_.next();
            if (!next) {
                jobs.start(text, name, shownAs);
                break;
            }
            record = std::move(*next);
        }
        tellUntilIdle(jobs);
    }

    void tellReady(ImageJobs& jobs) {
        while (const auto outcome = jobs.takeOldest()) {
            if (!outcome->failedForEveryImage) {
                report_.tell(*outcome);
            } else if (!stopped_) {
                report_.tellProblem(*outcome->notMade);
                stopped_ = true;
            }
        }
    }

    void tellUntilIdle(ImageJobs& jobs) {
        while (!jobs.isIdle()) {
            tellReady(jobs);
            if (!jobs.isIdle())
                jobs.waitForAnEnd();
        }
    }

    const Invocation& invocation_;
    const conversion::ConverterTool& tool_;
    AddressReader reader_;
    RunReport report_;
    StopRequests stop_;
    conversion::Conversion run_;
    bool stopped_ = false;
};

} // namespace

int ConvertWithoutWindow(const Invocation& invocation) {
    const conversion::ConverterTool& tool =
        invocation.format == QStringLiteral("png") ? conversion::kPngTool : conversion::kJpegTool;
    return HeadlessRun(invocation, tool).run();
}

} // namespace cli
