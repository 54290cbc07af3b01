#pragma once

#include "conversion.h"

#include <QString>
#include <optional>

namespace conversion {

// The steps of one image, for a front that traps each one by itself; call
// them in this order, each once. Conversion::convert runs them all.
class ImageConversion {
public:
    ImageConversion(Conversion& run, const ConverterTool& tool);

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

private:
    Conversion& run_;
    const ConverterTool& tool_;
    support::FolderFile textFile_;
    QString outputPath_;
    std::optional<QString> notMade_ = QStringLiteral("the converter was not run");
    bool stopped_ = false;
};

} // namespace conversion
