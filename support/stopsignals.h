#pragma once

#include <atomic>
#include <csignal>
#include <initializer_list>
#include <vector>

namespace support {

// The signals that ask the program to stop (Ctrl-C, a hang-up, a termination
// request, a closed pipe), caught so that the program can end cleanly and
// then as the signal would have ended it. A signal ignored when the program
// started (nohup, a script's background job) stays ignored.
//
// The handler only sets a flag and makes a descriptor readable, so a wait
// that polls the descriptor with its other work cannot miss a signal that
// comes just before it. One at a time in a program.
class StopSignals {
public:
    explicit StopSignals(std::initializer_list<int> caught);
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Set from the moment a stop was asked for, on whichever thread.
    static const std::atomic<bool>& flag();
    bool requested() const { return flag().load(); }
    // Readable once a stop was asked for; -1 when no pipe could be made
    // (the signals then end the program the plain way).
    int descriptor() const;
    // Ends the program by the signal that asked it to stop.
    [[noreturn]] void endAsAsked();

private:
    std::vector<int> signals_;
    std::vector<struct sigaction> previous_;
};

} // namespace support
