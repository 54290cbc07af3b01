#pragma once

#include <QString>

namespace support {

// The progress bar a long command keeps alive: a value in percent and a
// caption drawn on it. The window's bar implements it; tests record the calls.
// Implementations must not throw: they are called from inside the event loop.
class ProgressDisplay {
public:
    virtual ~ProgressDisplay() = default;

    virtual double value() const = 0;
    virtual void setValue(double percent) = 0;
    virtual QString caption() const = 0;
    virtual void setCaption(const QString& caption) = 0;
};

// What the bar reads when no command is using it.
inline QString RestingCaption() {
    return QStringLiteral("Progress Bar");
}

} // namespace support
