#include "addresslistview.h"

#include "twips.h"

#include <QHeaderView>

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
