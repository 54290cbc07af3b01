#include "skin.h"

#include <support/failure.h>

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {
constexpr qint64 kMaxSkinBytes = 4 * 1024 * 1024;
}

bool SkinFileExists(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}

QString ReadSkin(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        support::fail(QStringLiteral("Cannot load the skin \"%1\": %2").arg(path, file.errorString()));
    if (file.size() > kMaxSkinBytes)
        support::fail(QStringLiteral("Cannot load the skin \"%1\": the file is too large").arg(path));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        support::fail(QStringLiteral("Cannot load the skin \"%1\": %2").arg(path, file.errorString()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString sheet = utf8.decode(bytes);
    if (utf8.hasError())
        support::fail(QStringLiteral("Cannot load the skin \"%1\": it is not a style sheet").arg(path));
    return sheet;
}
