#pragma once

#include <stdexcept>
#include <string>

namespace converter {

// Why a run failed. The value is the tool's exit status for that failure, so
// callers that only see the status can still tell the causes apart.
enum class FailureKind {
    UnreadableInput = 1,
    NothingToDraw = 2,
    ImageTooLarge = 3,
    UnwritableOutput = 4,
    FontUnusable = 5,
};

class ConversionError : public std::runtime_error {
public:
    ConversionError(FailureKind kind, const std::string& message)
        : std::runtime_error(message), kind_(kind) {}

    FailureKind kind() const { return kind_; }

private:
    FailureKind kind_;
};

} // namespace converter
