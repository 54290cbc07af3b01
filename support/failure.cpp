#include "failure.h"

#include <cstring>

namespace support {

Failure::Failure(const QString& description)
    : std::runtime_error(description.toStdString()), description_(description) {}

void fail(const QString& description) {
    throw Failure(description);
}

QString ErrorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

void failErrno(const QString& what, const QString& path, int error) {
    fail(QStringLiteral("%1 \"%2\": %3").arg(what, path, ErrorText(error)));
}

} // namespace support
