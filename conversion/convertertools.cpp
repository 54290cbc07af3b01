#include "convertertools.h"

#include "embeddedtools.h"

#include <support/failure.h>
#include <support/runandwait.h>

#include <QFile>
#include <QResource>

namespace conversion {

QByteArray LoadConverterTool(const ConverterTool& tool) {
    static const bool registered = [] {
        orvanta_register_converter_tools();
        return true;
    }();
    Q_UNUSED(registered);
    const QResource resource(tool.resource);
    // Stored uncompressed, so this hands out the program's own bytes uncopied.
    const QByteArray bytes = resource.isValid() ? resource.uncompressedData() : QByteArray();
    if (bytes.isEmpty())
        support::fail(QStringLiteral("The converter %1 is missing from this program (resource %2)")
                          .arg(tool.fileName, tool.resource));
    return bytes;
}

QString DescribeConverterResult(int result) {
    // The converter's documented exit statuses.
    switch (result) {
    case 1:
        return QStringLiteral("the converter could not read its text file");
    case 2:
        return QStringLiteral("there was nothing to draw");
    case 3:
        return QStringLiteral("the image would be too large");
    case 4:
        return QStringLiteral("the image file could not be written");
    case 5:
        return QStringLiteral("the converter found no usable font");
    default:
        return QStringLiteral("the converter ") + support::DescribeRunResult(result);
    }
}

} // namespace conversion
