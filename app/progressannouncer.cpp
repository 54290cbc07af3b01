#include "progressannouncer.h"

#include "progressbar.h"

#include <QAccessible>

namespace {
constexpr int kPaceMs = 250;
}

ProgressAnnouncer::ProgressAnnouncer(CaptionProgressBar& bar) : QObject(&bar), bar_(bar) {
    later_.setSingleShot(true);
    connect(&later_, &QTimer::timeout, this, &ProgressAnnouncer::tell);
}

void ProgressAnnouncer::setListener(std::function<void(QAccessibleEvent*)> listener) {
    listener_ = std::move(listener);
}

void ProgressAnnouncer::changed(bool atOnce) {
    if (!listener_ && !QAccessible::isActive())
        return; // nobody listens; the values are read afresh when someone does
    const qint64 since = sinceTold_.isValid() ? sinceTold_.elapsed() : kPaceMs;
    if (atOnce || since >= kPaceMs)
        tell();
    else if (!later_.isActive())
        later_.start(static_cast<int>(kPaceMs - since));
}

void ProgressAnnouncer::tell() {
    later_.stop();
    const int percent = bar_.wholePercent();
    const QString description = bar_.spokenCaption();
    if (percent != toldPercent_) {
        toldPercent_ = percent;
        QAccessibleValueChangeEvent event(&bar_, percent);
        send(event);
        sinceTold_.start();
    }
    if (description != toldDescription_) {
        toldDescription_ = description;
        QAccessibleEvent event(&bar_, QAccessible::DescriptionChanged);
        send(event);
        sinceTold_.start();
    }
}

void ProgressAnnouncer::send(QAccessibleEvent& event) {
    if (listener_)
        listener_(&event);
    else
        QAccessible::updateAccessibility(&event);
}
