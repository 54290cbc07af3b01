#pragma once

#include <support/stopsignals.h>

#include <QObject>

class QSocketNotifier;

// Ctrl-C, a hang-up or a termination request ends the window's program as
// closing the window does: at once, with no run folder left behind, and then
// as the signal would have ended it. A signal ignored when the program
// started stays ignored. The signal is taken up by the event loop, which also
// runs while a converter works.
class WindowEndSignals : public QObject {
    Q_OBJECT
public:
    explicit WindowEndSignals(QObject* parent = nullptr);

private:
    void endProgram();

    support::StopSignals signals_{SIGINT, SIGTERM, SIGHUP};
    QSocketNotifier* arrived_ = nullptr;
};
