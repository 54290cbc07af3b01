#pragma once

#include <QObject>
#include <QPersistentModelIndex>
#include <QPoint>
#include <functional>

class Form1;
class QCursor;

// Reordering the address list by dragging an entry with the mouse: the
// entry trades places with each row the pointer moves onto, stays selected,
// and the list scrolls by a row when the pointer is high or low on the screen.
class ListReorder : public QObject {
    Q_OBJECT
public:
    explicit ListReorder(Form1& form);

    // Where the pointer is on the screen; the real pointer unless replaced.
    void setPointerOnScreen(std::function<QPoint()> source);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ListView1_MouseDown(const QPoint& at);
    void ListView1_ItemClick();
    void ListView1_MouseMove(const QPoint& at);
    void ListView1_MouseUp();
    void scrollAlong(int hoverRow);
    QCursor dragCursor() const;

    Form1& form_;
    bool dragging_ = false;
    // Follows its row through insertions and removals; invalid once the
    // entry is removed or the list cleared.
    QPersistentModelIndex dragEntry_;
    std::function<QPoint()> pointerOnScreen_;
};
