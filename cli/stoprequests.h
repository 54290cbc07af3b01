#pragma once

#include <support/endsignals.h>

#include <iterator>

namespace cli {

// Ctrl-C, a hang-up, a termination request (a cron job's timeout) or a closed
// pipe on the far end of our output asks the conversion to stop between two
// images, so that the run's folder is removed before the program ends as the
// signal would have ended it. A signal ignored when the program started
// (nohup, a script's background job) stays ignored.
class StopRequests {
public:
    StopRequests();
    ~StopRequests();
    StopRequests(const StopRequests&) = delete;
    StopRequests& operator=(const StopRequests&) = delete;

    bool requested() const;
    // Ends the program by the signal that asked it to stop.
    [[noreturn]] void endAsAsked();

    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

private:
    struct sigaction previous_[std::size(kSignals)];
};

} // namespace cli
