#pragma once

#include "conversionerror.h"

#include <cstdio>
#include <string>

namespace converter {

// The error an encoder reports when it gives up: the system's reason when
// writing the file failed (disk full, file too large), which the encoders'
// own messages ("Write Error") leave out, else the encoder's message.
ConversionError encoderError(std::FILE* file, int errnoAtFailure, const std::string& message);

} // namespace converter
