#include "progressbar.h"

#include <QPainter>
#include <QStyleOptionProgressBar>
#include <QtMath>

CaptionProgressBar::CaptionProgressBar(QWidget* parent) : QWidget(parent) {
    setAccessibleName(support::RestingCaption());
}

void CaptionProgressBar::setValue(double percent) {
    if (percent == value_)
        return;
    value_ = percent;
    update();
}

void CaptionProgressBar::setCaption(const QString& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    setAccessibleDescription(caption);
    update();
}

void CaptionProgressBar::paintEvent(QPaintEvent*) {
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
