#pragma once

#include "convertertools.h"
#include "runfolder.h"

#include <support/fileutils.h>

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace support {
class ProgressDisplay;
}

namespace conversion {

// Where a run takes the converter's bytes from: the program's own by default.
using ToolLoader = std::function<QByteArray(const ConverterTool&)>;

// What to show while a converter runs long, and where. `display` may be null
// (nothing is shown); otherwise it gets the waiting text after `caption` and
// a value creeping on from `startValue` within one of `count` shares, and
// `caption` back at the end (see support/waitingprogress.h).
struct WaitingProgress {
    support::ProgressDisplay* display = nullptr;
    QString caption;
    qint32 startValue = 0;
    qint32 count = 1;
};

// One conversion run: the folder the converters run from, the tools in it,
// and the images made one after another: the window's run (the command line
// draws in its own process). Needs no display, only a QCoreApplication on the calling
// thread, since the wait for each converter runs a local event loop.
//
//     conversion::Conversion run;
//     try {
//         run.open();              // the folder; then both tools
//         for (const auto& tool : {conversion::kJpegTool, conversion::kPngTool})
//             run.putTool(tool, run.toolBytes(tool));
//     } catch (const support::Failure& failure) {
//         // report failure.description(); every image then names it
//     }
//     // each image: ImageConversion (imageconversion.h), step by step
//     run.close();                 // or let the destructor do it
//
// Runs of two programs at once never meet: each has its own folder.
class Conversion {
public:
    explicit Conversion(ToolLoader loadTool = LoadConverterTool);
    ~Conversion();
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;

    // Makes the run's own folder (runfolder.h) in the temporary folder
    // (tempfolder.h). Throws support::Failure when there is none to be had;
    // the reason is then kept and every image names it.
    void open();
    // The converter's executable bytes. Throws support::Failure.
    QByteArray toolBytes(const ConverterTool& tool) const { return loadTool_(tool); }
    // Puts the converter in the run's folder (no bytes, no file). Throws
    // support::Failure.
    void putTool(const ConverterTool& tool, const QByteArray& bytes);
    void removeTool(const ConverterTool& tool);
    // Removes the run's folder with all in it; the run is over. Never fails.
    void close();

    // Why the run has no folder, or nothing when it has one.
    const std::optional<QString>& unusable() const { return unusable_; }
    // Why TEMP was passed over for another folder (tempfolder.h); empty when it was not.
    const QString& passedOver() const { return passedOver_; }
    // A file in the run's folder, reached through the folder's descriptor.
    support::FolderFile fileInFolder(const QString& name) const;
    // The run's folder, for a converter to start in.
    int folderDescriptor() const { return folder_.descriptor(); }

private:
    ToolLoader loadTool_;
    RunFolder folder_;
    std::optional<QString> unusable_ = QStringLiteral("the run was not opened");
    QString passedOver_;
};

} // namespace conversion
