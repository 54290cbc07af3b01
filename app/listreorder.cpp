#include "listreorder.h"

#include "addresslistview.h"
#include "cursorfile.h"
#include "form1.h"

#include <support/failure.h>

#include <QCursor>
#include <QMouseEvent>

namespace {

// Screen heights, in pixels from the top edge of the screen, above and below
// which a move that trades rows also scrolls the list by one row.
constexpr int kScrollUpAbove = 305;
constexpr int kScrollDownBelow = 364;

} // namespace

ListReorder::ListReorder(Form1& form)
    : QObject(&form), form_(form), pointerOnScreen_([] { return QCursor::pos(); }) {
    AddressListView* list = form.ListView1;
    connect(list, &AddressListView::pressed, this, &ListReorder::ListView1_ItemClick);
    list->viewport()->installEventFilter(this);
}

void ListReorder::setPointerOnScreen(std::function<QPoint()> source) {
    pointerOnScreen_ = std::move(source);
}

bool ListReorder::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        ListView1_MouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
        break; // the list still selects the row and reports the entry click
    case QEvent::MouseMove: {
        const auto* move = static_cast<QMouseEvent*>(event);
        // The release may have gone elsewhere, to a message box that was up
        // meanwhile: a pointer that moves with no button held drags nothing.
        if (dragging_ && move->buttons() == Qt::NoButton)
            ListView1_MouseUp();
        ListView1_MouseMove(move->position().toPoint());
        // While dragging the list must not select or scroll on its own.
        return dragging_;
    }
    case QEvent::MouseButtonRelease:
        ListView1_MouseUp();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void ListReorder::ListView1_MouseDown(const QPoint& at) {
    dragging_ = true;
    // A press beside the entries starts no drag: moving on from there must
    // not shift an entry clicked long before.
    if (form_.ListView1->rowAt(at) < 0)
        dragEntry_ = QPersistentModelIndex();
}

void ListReorder::ListView1_ItemClick() {
    AddressListView* list = form_.ListView1;
    list->setCursor(dragCursor());
    list->setDragEnabled(false);
    dragEntry_ = list->entries().index(list->selectedRow());
}

void ListReorder::ListView1_MouseMove(const QPoint& at) {
    if (!form_.isBusy())
        form_.setPointer(Form1::kPointerDefault);
    // A run reads the entries by position: one moved under it would be
    // converted twice and another not at all.
    if (!dragging_ || form_.isBusy())
        return;
    AddressListView* list = form_.ListView1;
    AddressListModel& entries = list->entries();
    const int hover = list->rowAt(at);
    if (hover < 0 || !dragEntry_.isValid())
        return;
    const int dragged = dragEntry_.row();
    if (entries.sameText(dragged, hover))
        return;

    entries.exchange(dragged, hover);
    list->selectRow(hover);
    dragEntry_ = entries.index(hover);
    scrollAlong(hover);
}

void ListReorder::scrollAlong(int hoverRow) {
    const int y = pointerOnScreen_().y();
    AddressListView* list = form_.ListView1;
    if (y < kScrollUpAbove && hoverRow > 0)
        list->ensureRowVisible(hoverRow - 1);
    else if (y > kScrollDownBelow && hoverRow + 1 < list->entries().count())
        list->ensureRowVisible(hoverRow + 1);
}

void ListReorder::ListView1_MouseUp() {
    dragging_ = false;
    form_.ListView1->setCursor(Qt::ArrowCursor);
}

QCursor ListReorder::dragCursor() const {
    try {
        return LoadCursorFile(form_.environment().lookFile(QStringLiteral("drag.ico")),
                              form_.ListView1->devicePixelRatio());
    } catch (const support::Failure&) {
        return QCursor(Qt::DragMoveCursor); // no drag.ico, or not a picture
    }
}
