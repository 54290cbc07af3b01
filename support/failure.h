#pragma once

#include <QString>
#include <stdexcept>

namespace support {

// A step that could not be done, with a description a user can act on. Routines
// that write throw it; the calling command's trap reports it.
class Failure : public std::runtime_error {
public:
    explicit Failure(const QString& description);
    const QString& description() const { return description_; }

private:
    QString description_;
};

[[noreturn]] void fail(const QString& description);

// What the system says of errno value `error`.
QString ErrorText(int error);

// Describes errno for the file-system operation `what` on `path`.
[[noreturn]] void failErrno(const QString& what, const QString& path, int error);

} // namespace support
