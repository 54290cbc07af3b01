#pragma once

#include <QString>
#include <optional>

namespace support {

// What a progress bar shows while a tool runs long. A wait ticks every 100 ms;
// from the 50th tick the caption counts the ticks, and every 150 ticks after
// that the value creeps forward by a tenth of one item's share, never past
// the end of that share.
constexpr int kWaitTickMs = 100;
constexpr int kTicksBeforeWaitingText = 50;
constexpr int kTicksPerValueStep = 150;

// The caption for tick `tick` (counted from 1), or nothing before the 50th.
std::optional<QString> WaitingCaption(const QString& caption, qint64 tick);

// The value for tick `tick` of item share 100 / `count` starting at
// `startValue` percent, or nothing on ticks that move no value. A count
// below 1 counts as 1.
std::optional<double> WaitingValue(qint64 tick, qint32 startValue, qint32 count);

// The caption the bar gets back once the wait is over.
QString CaptionAfterWait(const QString& caption);

} // namespace support
