#include "addresslistmodel.h"

int AddressListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant AddressListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return entries_.at(index.row());
    return {};
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
    if (entries.isEmpty())
        return;
    beginInsertRows({}, count(), count() + static_cast<int>(entries.size()) - 1);
    entries_ += entries;
    endInsertRows();
}

void AddressListModel::remove(int row) {
    if (row < 0 || row >= count())
        return;
    beginRemoveRows({}, row, row);
    entries_.removeAt(row);
    endRemoveRows();
}

void AddressListModel::clear() {
    if (entries_.isEmpty())
        return;
    beginResetModel();
    entries_.clear();
    endResetModel();
}

void AddressListModel::setText(int row, const QString& text) {
    if (row < 0 || row >= count())
        return;
    entries_[row] = text;
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
}
