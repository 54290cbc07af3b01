#pragma once

#include <conversion/conversion.h>
#include <conversion/imageconversion.h>
#include <support/failure.h>

#include <optional>

// One image through a run's folder, as the window makes each: the text
// written, the converter run and waited for, the text removed. Nothing when
// the image was made, the reason otherwise.
inline std::optional<QString> ConvertOnce(conversion::Conversion& run,
                                          const conversion::ConverterTool& tool,
                                          const QString& text, const QString& outputFolder,
                                          const QString& name) {
    conversion::ImageConversion image(run, tool);
    try {
        image.writeText(text);
    } catch (const support::Failure&) {
        // Kept as the reason the image was not made.
    }
    image.aimAt(outputFolder, name);
    image.runTool({});
    image.removeText();
    return image.notMadeReason();
}
