#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace conversion {

// One of the two converter tools the program carries inside itself.
struct ConverterTool {
    QString resource;  // the executable's bytes, put there by the build
    QString fileName;  // its name in the temporary folder
    QString extension; // of the images it makes
};

inline const ConverterTool kJpegTool{QStringLiteral(":/CUSTOM/101"), QStringLiteral("TXT2JPG.exe"),
                                     QStringLiteral("jpg")};
inline const ConverterTool kPngTool{QStringLiteral(":/CUSTOM/102"), QStringLiteral("TXT2PNG.exe"),
                                    QStringLiteral("png")};

// The tool's executable bytes. Throws support::Failure when they are missing.
QByteArray LoadConverterTool(const ConverterTool& tool);

// Why a converter run made no image, from what RunAndWait returned (not 0).
QString DescribeConverterResult(int result);

} // namespace conversion
