#include "stoprequests.h"

#include <cstdlib>

namespace cli {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t askedBy = 0;

extern "C" void noteStopRequest(int signal) {
    askedBy = signal;
}

} // namespace

StopRequests::StopRequests() {
    struct sigaction action {};
    action.sa_handler = noteStopRequest;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i)
        sigaction(kSignals[i], &action, &previous_[i]);
}

StopRequests::~StopRequests() {
    for (int i = 0; i < 3; ++i)
        sigaction(kSignals[i], &previous_[i], nullptr);
}

bool StopRequests::requested() const {
    return askedBy != 0;
}

void StopRequests::endAsAsked() {
    const int signal = askedBy;
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal); // the signal was blocked or ignored before us
}

} // namespace cli
