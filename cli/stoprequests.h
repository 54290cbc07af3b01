#pragma once

#include <csignal>

namespace cli {

// Ctrl-C, a hang-up or a termination request (a cron job's timeout) asks the
// conversion to stop between two images, so that the run's folder is removed
// before the program ends as the signal would have ended it.
class StopRequests {
public:
    StopRequests();
    ~StopRequests();
    StopRequests(const StopRequests&) = delete;
    StopRequests& operator=(const StopRequests&) = delete;

    bool requested() const;
    // Ends the program by the signal that asked it to stop.
    [[noreturn]] void endAsAsked();

private:
    struct sigaction previous_[3];
};

} // namespace cli
