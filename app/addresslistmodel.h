#pragma once

#include <support/entrylist.h>

#include <QAbstractListModel>
#include <QStringList>

// The address list: ordered text entries, appended at the end and never
// sorted, merged or changed on the way in.
class AddressListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The list shows at most this much of an entry: painting one of
    // megabytes would hold the window up at every repaint. The entry itself
    // stays whole.
    static constexpr qsizetype kShownLength = 4000;

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setHeader(const QString& header);
    void append(const QString& entry);
    void append(const QStringList& entries);
    // One insertion for a whole batch, so a million-line file appends at once.
    // Throws Failure when the list would outgrow the number of rows a view can hold.
    void append(support::EntryList entries);
    void remove(int row);
    void clear();
    int count() const { return static_cast<int>(entries_.size()); }
    QString text(int row) const { return entries_.text(row); }
    bool sameText(int row, int other) const { return entries_.sameText(row, other); }
    void exchange(int row, int other);
    // Entry `from` goes to row `to`; selections and persistent indexes follow it.
    void move(int from, int to);

private:
    support::EntryList entries_;
    QString header_;
};
