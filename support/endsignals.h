#pragma once

#include <csignal>

namespace support {

// Lets `handler` catch `signal`, unless it was ignored when the program
// started (nohup, a script's background job): it then stays ignored. Keeps
// what was there in `previous`.
void CatchUnlessIgnored(int signal, void (*handler)(int), struct sigaction* previous);

// Ends the program as `signal` would have ended it without a handler.
[[noreturn]] void EndBySignal(int signal);

} // namespace support
