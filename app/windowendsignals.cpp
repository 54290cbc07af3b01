#include "windowendsignals.h"

#include <conversion/runfolder.h>

#include <QSocketNotifier>

WindowEndSignals::WindowEndSignals(QObject* parent) : QObject(parent) {
    if (signals_.descriptor() < 0)
        return; // the window still works; a signal then ends it the plain way
    arrived_ = new QSocketNotifier(signals_.descriptor(), QSocketNotifier::Read, this);
    connect(arrived_, &QSocketNotifier::activated, this, &WindowEndSignals::endProgram);
}

void WindowEndSignals::endProgram() {
    conversion::RunFolder::closeAllOpen();
    signals_.endAsAsked();
}
