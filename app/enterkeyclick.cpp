#include "enterkeyclick.h"

#include <QKeyEvent>
#include <QPushButton>

EnterKeyClick::EnterKeyClick(QWidget& window) : QObject(&window) {
    for (QPushButton* button : window.findChildren<QPushButton*>())
        button->installEventFilter(this);
}

bool EnterKeyClick::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QObject::eventFilter(watched, event);
    // A held key presses once, as a held Space does.
    if (!key->isAutoRepeat())
        static_cast<QPushButton*>(watched)->click();
    return true;
}
