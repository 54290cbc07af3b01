#include "stoprequests.h"

namespace cli {
namespace {

volatile std::sig_atomic_t askedBy = 0;

extern "C" void noteStopRequest(int signal) {
    askedBy = signal;
}

} // namespace

StopRequests::StopRequests() {
    for (size_t i = 0; i < std::size(kSignals); ++i)
        support::CatchUnlessIgnored(kSignals[i], noteStopRequest, &previous_[i]);
}

StopRequests::~StopRequests() {
    for (size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &previous_[i], nullptr);
}

bool StopRequests::requested() const {
    return askedBy != 0;
}

void StopRequests::endAsAsked() {
    support::EndBySignal(askedBy);
}

} // namespace cli
