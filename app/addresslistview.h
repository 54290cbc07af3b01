#pragma once

#include "addresslistmodel.h"

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

private:
    AddressListModel model_;
};
