#include "addresshash.h"

#include <QCryptographicHash>
#include <QFile>
#include <QMessageAuthenticationCode>

namespace cli {
namespace {

constexpr qsizetype kHashDigits = 16;
// Far beyond any key; a file this long was named by mistake.
constexpr qsizetype kLongestKey = 64 * 1024;

} // namespace

QString AddressHash(const QString& address, const QByteArray& key) {
    const QByteArray digest =
        key.isEmpty()
            ? QCryptographicHash::hash(address.toUtf8(), QCryptographicHash::Sha256)
            : QMessageAuthenticationCode::hash(address.toUtf8(), key, QCryptographicHash::Sha256);
    return QString::fromLatin1(digest.toHex().left(kHashDigits));
}

std::optional<QByteArray> ReadKeyFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read the key file '%1': %2").arg(path, file.errorString());
        return std::nullopt;
    }
    QByteArray key = file.read(kLongestKey + 1);
    if (key.size() > kLongestKey) {
        *error = QStringLiteral("the key file '%1' holds more than %2 bytes; a key needs far "
                                "fewer")
                     .arg(path)
                     .arg(kLongestKey);
        return std::nullopt;
    }
    if (key.endsWith('\n'))
        key.chop(key.endsWith("\r\n") ? 2 : 1);
    if (key.isEmpty()) {
        *error = QStringLiteral("the key file '%1' holds no key").arg(path);
        return std::nullopt;
    }
    return key;
}

} // namespace cli
