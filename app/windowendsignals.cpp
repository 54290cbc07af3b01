#include "windowendsignals.h"

#include <conversion/runfolder.h>
#include <support/endsignals.h>

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The handler only writes the signal's number here; the rest is done where
// it is safe to, in the event loop.
int pipeEnds[2] = {-1, -1};

extern "C" void passSignalOn(int signal) {
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &number, 1);
    errno = saved;
}

} // namespace

WindowEndSignals::WindowEndSignals(QObject* parent) : QObject(parent) {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // the window still works; a signal then ends it the plain way
    arrived_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(arrived_, &QSocketNotifier::activated, this, &WindowEndSignals::endProgram);
    for (size_t i = 0; i < std::size(kSignals); ++i)
        support::CatchUnlessIgnored(kSignals[i], passSignalOn, &previous_[i]);
}

WindowEndSignals::~WindowEndSignals() {
    if (!arrived_)
        return;
    for (size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &previous_[i], nullptr);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void WindowEndSignals::endProgram() {
    unsigned char number = 0;
    if (::read(pipeEnds[0], &number, 1) != 1)
        return;
    conversion::RunFolder::closeAllOpen();
    support::EndBySignal(number);
}
