#include "progressbar.h"

#include "progressannouncer.h"
#include "progressbaraccessible.h"

#include <QAccessible>
#include <QPainter>
#include <QStyleOptionProgressBar>
#include <QtMath>

namespace {

// A run may change the bar hundreds of times a second; about 30 pictures a
// second show every change the eye can follow at a fraction of the cost.
constexpr int kFrameMs = 33;

} // namespace

CaptionProgressBar::CaptionProgressBar(QWidget* parent)
    : QWidget(parent), announcer_(new ProgressAnnouncer(*this)) {
    static const bool accessible =
        (QAccessible::installFactory(&AccessibleCaptionProgressBar::create), true);
    Q_UNUSED(accessible);
    repaintLater_.setSingleShot(true);
    connect(&repaintLater_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void CaptionProgressBar::setValue(double percent) {
    if (percent == value_)
        return;
    value_ = percent;
    announcer_->changed(percent <= 0 || percent >= 100); // full, or back at rest: a run's end
    scheduleRepaint();
}

void CaptionProgressBar::setCaption(const QString& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    announcer_->changed(spokenCaption().isEmpty());
    scheduleRepaint();
}

int CaptionProgressBar::wholePercent() const {
    return qIsFinite(value_) ? qRound(qBound(0.0, value_, 100.0)) : 0;
}

QString CaptionProgressBar::spokenCaption() const {
    return caption_ == support::RestingCaption() ? QString() : caption_;
}

void CaptionProgressBar::scheduleRepaint() {
    if (repaintLater_.isActive())
        return;
    const qint64 since = sincePaint_.isValid() ? sincePaint_.elapsed() : kFrameMs;
    if (since >= kFrameMs)
        update();
    else
        repaintLater_.start(static_cast<int>(kFrameMs - since));
}

void CaptionProgressBar::paintEvent(QPaintEvent*) {
    sincePaint_.start();
    QStyleOptionProgressBar option;
    option.initFrom(this);
    option.state |= QStyle::State_Horizontal;
    option.minimum = 0;
    option.maximum = 1000;
    option.progress = qIsFinite(value_) ? qBound(0, qRound(value_ * 10), 1000) : 0;
    option.text = caption_;
    option.textVisible = true;
    option.textAlignment = Qt::AlignCenter;
    QPainter painter(this);
    style()->drawControl(QStyle::CE_ProgressBar, &option, &painter, this);
}
