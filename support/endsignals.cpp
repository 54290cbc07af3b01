#include "endsignals.h"

#include <cstdio>
#include <cstdlib>

namespace support {

void CatchUnlessIgnored(int signal, void (*handler)(int), struct sigaction* previous) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, nullptr, previous);
    if (previous->sa_handler != SIG_IGN)
        sigaction(signal, &action, nullptr);
}

void EndBySignal(int signal) {
    std::fflush(nullptr);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal); // the signal was blocked before us
}

} // namespace support
