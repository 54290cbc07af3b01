#include "imagevariant.h"

#include <QRegularExpression>

namespace cli {

QString VariantName(const QString& name, const ImageVariant& variant) {
    QString variantName = name;
    if (variant.dark)
        variantName += QStringLiteral("@dark");
    if (variant.scale != 1)
        variantName += QStringLiteral("@%1x").arg(variant.scale);
    return variantName;
}

std::optional<QString> ReservedNameReason(const QString& name) {
    static const QRegularExpression reserved(QStringLiteral("@(dark|[2-4]x)$"));
    const QRegularExpressionMatch match = reserved.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    return QStringLiteral("its image's name would end in \"%1\", as this run names the scaled "
                          "and dark images of other addresses")
        .arg(match.captured(0));
}

} // namespace cli
