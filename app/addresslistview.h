#pragma once

#include "addresslistmodel.h"

#include <QAccessible>
#include <QTimer>
#include <QTreeView>

// The list control: one column with a header, a single selected row, hit
// testing and scrolling a row into view. Rows are numbered from 0 here; -1
// means none. Uniform row heights keep a million entries smooth to scroll.
class AddressListView : public QTreeView {
    Q_OBJECT
public:
    explicit AddressListView(QWidget* parent = nullptr);

    AddressListModel& entries() { return model_; }
    const AddressListModel& entries() const { return model_; }

    // Appends a batch of entries, or throws Failure when there would be no
    // memory left to lay the longer list out.
    void appendEntries(support::EntryList entries);

    void addColumn(const QString& header);
    void setColumnWidthTwips(int twips);

    int selectedRow() const;
    void selectRow(int row);
    void ensureRowVisible(int row);
    // The row under a point of the list's viewport, or -1.
    int rowAt(const QPoint& viewportPoint) const;

    // Tells a screen reader that the focused entry now stands at `row`. A
    // move keeps the current entry current, so the view itself tells nothing.
    void announceMovedTo(int row);

protected:
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

private:
    // Qt's AT-SPI bridge (6.4) drops the model-change events the view sends,
    // so the list's changes go out as a row created or destroyed, which it
    // carries as children-changed: one for each burst of additions, one
    // before each removal (clearing included).
    void watchForAnnouncements();
    void announceAdded();
    void announce(int row, QAccessible::Event event);
    // The accessible cell of the entry at `row`, or nullptr.
    QAccessibleInterface* accessibleCell(int row);

    AddressListModel model_;
    QTimer addedLater_;
    int firstAdded_ = -1;
};
