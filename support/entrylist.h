#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <vector>

namespace support {

// The texts of an address list, in order. Each is kept as UTF-8 behind a
// length, side by side in large blocks, with one pointer per entry: a
// QStringList spends about 100 bytes on a short address, this about 32, so a
// list of millions fits where the file it came from does. A removed entry's
// bytes stay in their block until the list is cleared.
class EntryList {
public:
    EntryList() = default;
    EntryList(EntryList&& other) noexcept;
    EntryList& operator=(EntryList&& other) noexcept;

    qsizetype size() const { return static_cast<qsizetype>(entries_.size()); }
    bool isEmpty() const { return entries_.empty(); }
    QString text(qsizetype i) const;
    // The start of an entry, at most `maxLength` UTF-16 units of it.
    QString leading(qsizetype i, qsizetype maxLength) const;
    bool sameText(qsizetype a, qsizetype b) const;
    QStringList texts() const;

    void reserve(qsizetype count);
    void append(QStringView text);
    // `utf8` must be valid UTF-8.
    void appendUtf8(QByteArrayView utf8);
    // Takes over the entries of `other`, which is left empty.
    void append(EntryList&& other);
    void remove(qsizetype i);
    void exchange(qsizetype a, qsizetype b);
    // Takes entry `from` out and puts it back at `to`; those between shift by one.
    void move(qsizetype from, qsizetype to);
    void clear();

private:
    QByteArrayView utf8(qsizetype i) const;
    char* room(qsizetype size);

    // Each points at a length (a base-128 number, low digits first) followed
    // by that many bytes.
    std::vector<const char*> entries_;
    std::vector<std::unique_ptr<char[]>> blocks_;
    char* free_ = nullptr;
    qsizetype left_ = 0;
    qsizetype nextBlock_ = 0;
};

} // namespace support
