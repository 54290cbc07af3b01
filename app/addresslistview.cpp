#include "addresslistview.h"

#include "twips.h"

#include <support/failure.h>

#include <QByteArray>
#include <QHeaderView>

#include <new>

namespace {

// What the tree view keeps for each row it lays out (about 40 bytes), and
// as much again for what it allocates around it while laying out.
constexpr qsizetype kLayoutBytesPerRow = 80;

} // namespace

AddressListView::AddressListView(QWidget* parent) : QTreeView(parent) {
    setModel(&model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(false);
    header()->hide(); // shown once the column exists
    watchForAnnouncements();
}

void AddressListView::appendEntries(support::EntryList entries) {
    const qsizetype rows = model_.count() + entries.size();
    try {
        // The view cannot survive failing to allocate its layout, so the
        // room for it is tried here first, where a failure can be reported.
        QByteArray room;
        room.reserve(rows * kLayoutBytesPerRow);
    } catch (const std::bad_alloc&) {
        support::fail(
            QStringLiteral("There is not enough memory for a list of %1 entries").arg(rows));
    }
    model_.append(std::move(entries));
}

void AddressListView::addColumn(const QString& header) {
    model_.setHeader(header);
    this->header()->show();
}

void AddressListView::setColumnWidthTwips(int twips) { setColumnWidth(0, twipsToPixels(twips)); }

int AddressListView::selectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void AddressListView::selectRow(int row) {
    const QModelIndex index = model_.index(row);
    if (!index.isValid())
        return;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
}

void AddressListView::ensureRowVisible(int row) {
    const QModelIndex index = model_.index(row);
    if (index.isValid())
        scrollTo(index, QAbstractItemView::EnsureVisible);
}

int AddressListView::rowAt(const QPoint& viewportPoint) const {
    const QModelIndex index = indexAt(viewportPoint);
    return index.isValid() ? index.row() : -1;
}
