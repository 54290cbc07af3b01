#pragma once

#include <QAccessibleWidget>

class CaptionProgressBar;

// What assistive technology reads of the progress bar: a read-only progress
// bar named "Progress", described by its caption, whose value is the share
// done in whole percents, 0 to 100, as the bar shows it.
class AccessibleCaptionProgressBar : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleCaptionProgressBar(CaptionProgressBar* bar);

    // The factory Qt asks for an interface; it answers for CaptionProgressBar only.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text type) const override;
    QAccessible::State state() const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {} // shown, never set by the user
    QVariant maximumValue() const override { return 100.0; }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return 0.0; }

private:
    const CaptionProgressBar* bar() const;
};
