#pragma once

#include <QAbstractListModel>
#include <QStringList>

// The address list: ordered text entries, appended at the end and never
// sorted, merged or changed on the way in.
class AddressListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setHeader(const QString& header);
    void append(const QString& entry);
    // One insertion for a whole batch, so a million-line file appends at once.
    void append(const QStringList& entries);
    void remove(int row);
    void clear();
    int count() const { return static_cast<int>(entries_.size()); }
    const QString& text(int row) const { return entries_.at(row); }
    void setText(int row, const QString& text);
    const QStringList& entries() const { return entries_; }

private:
    QStringList entries_;
    QString header_;
};
