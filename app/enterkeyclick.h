#pragma once

#include <QObject>

class QWidget;

// Enter and the keypad's Enter press the focused push button, as Space does:
// people used to the platform the window comes from press Enter.
class EnterKeyClick : public QObject {
    Q_OBJECT
public:
    // Watches every push button of `window`.
    explicit EnterKeyClick(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
