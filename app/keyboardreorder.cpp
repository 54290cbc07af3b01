#include "keyboardreorder.h"

#include "addresslistview.h"
#include "form1.h"

#include <QKeyEvent>

namespace {

// The keypad's arrows, Home and End with Num Lock off count as well.
bool isMoveKey(const QKeyEvent& key) {
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier)
        return false;
    return key.key() == Qt::Key_Up || key.key() == Qt::Key_Down || key.key() == Qt::Key_Home ||
           key.key() == Qt::Key_End;
}

} // namespace

KeyboardReorder::KeyboardReorder(Form1& form) : QObject(&form), form_(form) {
    form.ListView1->installEventFilter(this);
}

bool KeyboardReorder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !isMoveKey(*static_cast<QKeyEvent*>(event)))
        return QObject::eventFilter(watched, event);
    moveSelectedEntry(static_cast<QKeyEvent*>(event)->key());
    return true; // the list must not move its selection on its own
}

int KeyboardReorder::destination(int key, int from) const {
    switch (key) {
    case Qt::Key_Up:
        return from - 1;
    case Qt::Key_Down:
        return from + 1;
    case Qt::Key_Home:
        return 0;
    default: // Qt::Key_End
        return form_.ListView1->entries().count() - 1;
    }
}

void KeyboardReorder::moveSelectedEntry(int key) {
    if (form_.isBusy())
        return; // a run reads the entries by position
    AddressListView* list = form_.ListView1;
    const int from = list->selectedRow();
    const int to = destination(key, from);
    if (from < 0 || to < 0 || to >= list->entries().count())
        return;
    list->entries().move(from, to);
    list->selectRow(to);
    list->ensureRowVisible(to);
    list->announceMovedTo(to);
}
