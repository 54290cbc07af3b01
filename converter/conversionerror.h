#pragma once

#include <atomic>
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

// A drawing or encoding given up because its run was asked to stop.
struct DrawingAbandoned {};

// Whether a long encoding should give up at pixel row `row`: it looks at its
// run's stop request every 256 rows, a few milliseconds of work.
inline bool StopSeen(const std::atomic<bool>* stop, int row) {
    return stop && row % 256 == 0 && stop->load(std::memory_order_relaxed);
}

} // namespace converter
