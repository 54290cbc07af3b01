#include "entrylist.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

namespace support {
namespace {

// Blocks start small, so that a list of three entries costs little, and
// grow to a size that a million entries fill without many allocations.
constexpr qsizetype kFirstBlock = 4096;
constexpr qsizetype kLargestBlock = qsizetype(1) << 20;

qsizetype lengthDigits(quint64 length) {
    qsizetype digits = 1;
    for (; length >= 0x80; length >>= 7)
        ++digits;
    return digits;
}

// A U+FEFF that starts an entry is part of it: only a file's own mark is
// dropped, and that is done while reading the file.
QString decode(QByteArrayView utf8) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                       QStringConverter::Flag::ConvertInitialBom);
    return decoder(utf8);
}

} // namespace

EntryList::EntryList(EntryList&& other) noexcept {
    *this = std::move(other);
}

EntryList& EntryList::operator=(EntryList&& other) noexcept {
    if (this != &other) {
        entries_ = std::exchange(other.entries_, {});
        blocks_ = std::exchange(other.blocks_, {});
        free_ = std::exchange(other.free_, nullptr);
        left_ = std::exchange(other.left_, 0);
        nextBlock_ = std::exchange(other.nextBlock_, 0);
    }
    return *this;
}

QByteArrayView EntryList::utf8(qsizetype i) const {
    const auto* at = reinterpret_cast<const unsigned char*>(entries_[static_cast<size_t>(i)]);
    quint64 length = 0;
    for (int shift = 0;; shift += 7) {
        const unsigned char digit = *at++;
        length |= quint64(digit & 0x7F) << shift;
        if (!(digit & 0x80))
            break;
    }
    return QByteArrayView(reinterpret_cast<const char*>(at), static_cast<qsizetype>(length));
}

QString EntryList::text(qsizetype i) const {
    return decode(utf8(i));
}

QString EntryList::leading(qsizetype i, qsizetype maxLength) const {
    QByteArrayView bytes = utf8(i);
    // No UTF-8 byte gives more than one UTF-16 unit, so `maxLength` bytes
    // are enough; the cut goes back to the start of a character.
    if (bytes.size() > maxLength) {
        qsizetype cut = maxLength;
        while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
            --cut;
        bytes = bytes.first(cut);
    }
    return decode(bytes);
}

bool EntryList::sameText(qsizetype a, qsizetype b) const {
    return utf8(a) == utf8(b);
}

QStringList EntryList::texts() const {
    QStringList all;
    all.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        all << text(i);
    return all;
}

void EntryList::reserve(qsizetype count) {
    entries_.reserve(static_cast<size_t>(count));
}

char* EntryList::room(qsizetype size) {
    if (size > left_) {
        const qsizetype standard = std::max(nextBlock_, kFirstBlock);
        blocks_.reserve(blocks_.size() + 1);
        if (size > standard) { // a long entry gets a block of its own
            blocks_.emplace_back(new char[static_cast<size_t>(size)]);
            return blocks_.back().get();
        }
        blocks_.emplace_back(new char[static_cast<size_t>(standard)]);
        free_ = blocks_.back().get();
        left_ = standard;
        nextBlock_ = std::min(standard * 2, kLargestBlock);
    }
    char* at = free_;
    free_ += size;
    left_ -= size;
    return at;
}

void EntryList::appendUtf8(QByteArrayView utf8) {
    quint64 length = static_cast<quint64>(utf8.size());
    char* at = room(lengthDigits(length) + utf8.size());
    auto* digit = reinterpret_cast<unsigned char*>(at);
    for (; length >= 0x80; length >>= 7)
        *digit++ = static_cast<unsigned char>(length | 0x80);
    *digit++ = static_cast<unsigned char>(length);
    if (!utf8.isEmpty())
        std::memcpy(digit, utf8.data(), static_cast<size_t>(utf8.size()));
    entries_.push_back(at);
}

void EntryList::append(QStringView text) {
    appendUtf8(text.toUtf8());
}

void EntryList::append(EntryList&& other) {
    if (blocks_.empty() && entries_.empty()) {
        *this = std::move(other);
        return;
    }
    entries_.reserve(entries_.size() + other.entries_.size());
    blocks_.reserve(blocks_.size() + other.blocks_.size());
    entries_.insert(entries_.end(), other.entries_.begin(), other.entries_.end());
    std::move(other.blocks_.begin(), other.blocks_.end(), std::back_inserter(blocks_));
    other.clear();
}

void EntryList::remove(qsizetype i) {
    entries_.erase(entries_.begin() + i);
}

void EntryList::exchange(qsizetype a, qsizetype b) {
    std::swap(entries_[static_cast<size_t>(a)], entries_[static_cast<size_t>(b)]);
}

void EntryList::move(qsizetype from, qsizetype to) {
    const auto at = [this](qsizetype i) { return entries_.begin() + i; };
    if (from < to)
        std::rotate(at(from), at(from + 1), at(to + 1));
    else
        std::rotate(at(to), at(from), at(from + 1));
}

void EntryList::clear() {
    *this = EntryList();
}

} // namespace support
