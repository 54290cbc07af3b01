#include "addresslistmodel.h"

#include <support/failure.h>

#include <limits>

int AddressListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant AddressListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count() || role != Qt::DisplayRole)
        return {};
    return entries_.leading(index.row(), kShownLength);
}

QVariant AddressListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole &&
        !header_.isNull())
        return header_;
    return {};
}

void AddressListModel::setHeader(const QString& header) {
    header_ = header;
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

void AddressListModel::append(const QString& entry) { append(QStringList{entry}); }

void AddressListModel::append(const QStringList& entries) {
    support::EntryList batch;
    batch.reserve(entries.size());
    for (const QString& entry : entries)
        batch.append(entry);
    append(std::move(batch));
}

void AddressListModel::append(support::EntryList entries) {
    if (entries.isEmpty())
        return;
    if (entries.size() > std::numeric_limits<int>::max() - count())
        support::fail(QStringLiteral("The list cannot hold more than %1 entries")
                          .arg(std::numeric_limits<int>::max()));
    beginInsertRows({}, count(), count() + static_cast<int>(entries.size()) - 1);
    entries_.append(std::move(entries));
    endInsertRows();
}

void AddressListModel::remove(int row) {
    if (row < 0 || row >= count())
        return;
    beginRemoveRows({}, row, row);
    entries_.remove(row);
    endRemoveRows();
}

void AddressListModel::clear() {
    const bool hadRows = !entries_.isEmpty();
    // A removal of every row rather than a reset: the view tells assistive
    // technology of a removal, and a reset it cannot tell.
    if (hadRows)
        beginRemoveRows({}, 0, count() - 1);
    entries_.clear(); // also frees what entries removed one by one left behind
    if (hadRows)
        endRemoveRows();
}

void AddressListModel::exchange(int row, int other) {
    if (row < 0 || row >= count() || other < 0 || other >= count())
        return;
    entries_.exchange(row, other);
    for (const int changed : {row, other})
        emit dataChanged(index(changed), index(changed), {Qt::DisplayRole});
}

void AddressListModel::move(int from, int to) {
    if (from == to || from < 0 || from >= count() || to < 0 || to >= count())
        return;
    // Qt counts the destination as the row the entry goes before, in the list as it was.
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    entries_.move(from, to);
    endMoveRows();
}
