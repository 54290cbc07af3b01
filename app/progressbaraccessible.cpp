#include "progressbaraccessible.h"

#include "progressbar.h"

AccessibleCaptionProgressBar::AccessibleCaptionProgressBar(CaptionProgressBar* bar)
    : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

QAccessibleInterface* AccessibleCaptionProgressBar::create(const QString& className,
                                                           QObject* object) {
    if (className == QLatin1String(CaptionProgressBar::staticMetaObject.className()))
        return new AccessibleCaptionProgressBar(static_cast<CaptionProgressBar*>(object));
    return nullptr;
}

void* AccessibleCaptionProgressBar::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString AccessibleCaptionProgressBar::text(QAccessible::Text type) const {
    // The name stays put, so a screen reader is not told of a new name per address.
    if (type == QAccessible::Name)
        return QStringLiteral("Progress");
    if (type == QAccessible::Description)
        return bar()->spokenCaption();
    if (type == QAccessible::Value)
        return QString::number(bar()->wholePercent()) + u'%';
    return QAccessibleWidget::text(type);
}

QAccessible::State AccessibleCaptionProgressBar::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    return state;
}

QVariant AccessibleCaptionProgressBar::currentValue() const {
    // Qt's AT-SPI bridge (6.4) carries no value text: a reader speaks this
    // number, and it should say what the bar shows, not 93.72937293729373.
    return double(bar()->wholePercent());
}

const CaptionProgressBar* AccessibleCaptionProgressBar::bar() const {
    return static_cast<const CaptionProgressBar*>(widget());
}
