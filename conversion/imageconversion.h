#pragma once

#include "conversion.h"

#include <QString>
#include <memory>
#include <optional>

namespace support {
class ChildProcess;
}

namespace conversion {

// The steps of one image, for a front that traps each one by itself; call
// them in this order, each once. Conversion::convert runs them all.
class ImageConversion {
public:
    ImageConversion(Conversion& run, const ConverterTool& tool);
    ~ImageConversion();

    // Writes the text the converter draws. Throws support::Failure, and the
    // image is then not made: the converter is not run on what stands there.
    void writeText(const QString& text);
    // Where the image goes, or why it may not go there (imagepath.h).
    void aimAt(const QString& outputFolder, const QString& name);
    // Runs the converter, unless an earlier step stopped the image, and checks
    // that it made a new image file.
    void runTool(const WaitingProgress& progress);
    void removeText();

    // Nothing once the image was made; otherwise why not.
    const std::optional<QString>& notMadeReason() const { return notMade_; }
    // True when that reason is the run's and not the image's (no run folder,
    // the text could not be written, the converter could not start): every
    // other image would fail the same way.
    bool failedForEveryImage() const { return failedForEveryImage_; }

private:
    // The started converter (none when an earlier step stopped the image),
    // and what waiting for it gave (as support::RunAndWait answers).
    std::unique_ptr<support::ChildProcess> startTool();
    void finishTool(int result);

    Conversion& run_;
    const ConverterTool& tool_;
    support::FolderFile textFile_;
    QString outputPath_;
    std::optional<QString> notMade_ = QStringLiteral("the converter was not run");
    bool stopped_ = false;
    bool failedForEveryImage_ = false;
    struct FileStamp;
    std::unique_ptr<FileStamp> before_; // of the image file, while the converter runs
};

} // namespace conversion
