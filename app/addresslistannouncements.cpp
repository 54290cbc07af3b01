#include "addresslistview.h"

void AddressListView::watchForAnnouncements() {
    addedLater_.setSingleShot(true);
    connect(&addedLater_, &QTimer::timeout, this, &AddressListView::announceAdded);
    connect(&model_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first) {
                if (!QAccessible::isActive())
                    return;
                firstAdded_ = addedLater_.isActive() ? qMin(firstAdded_, first) : first;
                addedLater_.start(0); // a load appends in batches; they are told as one
            });
}

void AddressListView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    // Before the view lets go of the row, while its cell can still be named.
    addedLater_.stop();
    announce(start, QAccessible::ObjectDestroyed);
    QTreeView::rowsAboutToBeRemoved(parent, start, end);
}

void AddressListView::announceMovedTo(int row) {
    if (hasFocus()) // as the view tells of a new current row
        announce(row, QAccessible::Focus);
}

void AddressListView::announceAdded() {
    announce(qMin(firstAdded_, model_.count() - 1), QAccessible::ObjectCreated);
}

void AddressListView::announce(int row, QAccessible::Event event) {
    if (!QAccessible::isActive())
        return;
    if (QAccessibleInterface* cell = accessibleCell(row)) {
        QAccessibleEvent message(cell, event);
        QAccessible::updateAccessibility(&message);
    }
}

QAccessibleInterface* AddressListView::accessibleCell(int row) {
    const QModelIndex index = model_.index(row);
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(this);
    if (!index.isValid() || !view || !view->tableInterface())
        return nullptr;
    // The accessible table reads the view's laid-out rows, which may still wait.
    executeDelayedItemsLayout();
    return view->tableInterface()->cellAt(row, 0);
}
