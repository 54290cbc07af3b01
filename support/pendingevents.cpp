#include "pendingevents.h"

#include <QCoreApplication>

namespace support {

void ProcessPendingMessages() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace support
