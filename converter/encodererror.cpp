#include "encodererror.h"

#include <cstring>

namespace converter {

ConversionError encoderError(std::FILE* file, int errnoAtFailure, const std::string& message) {
    const bool writeFailed = std::ferror(file) && errnoAtFailure != 0;
    return ConversionError(FailureKind::UnwritableOutput,
                           writeFailed ? std::strerror(errnoAtFailure) : message);
}

} // namespace converter
