#include "stopsignals.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>
#include <utility>

namespace support {
namespace {

std::atomic<bool> stopRequested{false};
std::atomic<int> askedBy{0};
int pipeEnds[2] = {-1, -1};

static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "set from a signal handler");

extern "C" void noteStopRequest(int signal) {
    const int saved = errno;
    askedBy.store(signal);
    stopRequested.store(true);
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

} // namespace

StopSignals::StopSignals(std::initializer_list<int> caught) : signals_(caught) {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    previous_.resize(signals_.size());
    struct sigaction action {};
    action.sa_handler = noteStopRequest;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < signals_.size(); ++i) {
        sigaction(signals_[i], nullptr, &previous_[i]);
        if (previous_[i].sa_handler != SIG_IGN)
            sigaction(signals_[i], &action, nullptr);
    }
}

StopSignals::~StopSignals() {
    for (size_t i = 0; i < previous_.size(); ++i)
        sigaction(signals_[i], &previous_[i], nullptr);
    for (int& end : pipeEnds)
        if (end >= 0)
            ::close(std::exchange(end, -1));
}

const std::atomic<bool>& StopSignals::flag() {
    return stopRequested;
}

int StopSignals::descriptor() const {
    return pipeEnds[0];
}

void StopSignals::endAsAsked() {
    const int signal = askedBy.load();
    std::fflush(nullptr);
    std::signal(signal, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    std::raise(signal);
    std::_Exit(128 + signal);
}

} // namespace support
