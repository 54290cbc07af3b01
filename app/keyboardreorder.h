#pragma once

#include <QObject>

class Form1;

// Reordering the address list from the keyboard: Alt+Up and Alt+Down move the
// selected entry one place, Alt+Home and Alt+End to the top or the bottom.
// Like a drag, nothing moves while the window is busy, and the entry stays
// selected and in view.
class KeyboardReorder : public QObject {
    Q_OBJECT
public:
    explicit KeyboardReorder(Form1& form);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The row the entry at `from` goes to for this key; may lie outside the list.
    int destination(int key, int from) const;
    void moveSelectedEntry(int key);

    Form1& form_;
};
