#include "waitingprogress.h"

#include "progressdisplay.h"
#include "rounding.h"

#include <algorithm>

namespace support {

std::optional<QString> WaitingCaption(const QString& caption, qint64 tick) {
    if (tick < kTicksBeforeWaitingText)
        return std::nullopt;
    const QString separator = caption.isEmpty() ? QString() : QStringLiteral(", ");
    return caption + separator + QStringLiteral("Please wait.. ") +
           QString::number(tick - kTicksBeforeWaitingText);
}

std::optional<double> WaitingValue(qint64 tick, qint32 startValue, qint32 count) {
    const qint64 waited = tick - kTicksBeforeWaitingText;
    if (waited < 0 || waited % kTicksPerValueStep != 0)
        return std::nullopt;
    const double share = 100.0 / std::max(count, 1);
    const double step = RoundHalfEven(share / 10);
    const double limit = RoundHalfEven(share + startValue - step);
    const double value = static_cast<double>(waited / kTicksPerValueStep) * step + startValue;
    return std::min(value, limit);
}

QString CaptionAfterWait(const QString& caption) {
    return caption.isEmpty() ? RestingCaption() : caption;
}

} // namespace support
