#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>
#include <type_traits>
#include <utility>

namespace support {

// Cuts the text of a list file into entries as it arrives, piece by piece: a
// line ends at CR or at a CR LF pair, and inside a line every LF separates
// two entries; a break at the very end only ends the last entry. `View` is
// QByteArrayView for text still in bytes (CR and LF never occur inside a
// longer UTF-8 sequence or a Windows-1252 character) or QStringView for
// decoded text. A line that spans pieces is gathered; all others are handed
// on as views into the piece.
template <class View> class EntrySplitter {
public:
    using Take = std::function<void(View entry)>;
    explicit EntrySplitter(Take take) : take_(std::move(take)) {}

    void feed(View piece) {
        const qsizetype size = piece.size();
        qsizetype start = 0;
        if (size > 0 && afterCr_ && piece[0] == u'\n')
            start = 1; // the LF of a CR LF cut apart by the pieces
        if (size > 0)
            afterCr_ = false;
        for (qsizetype i = start; i < size; ++i) {
            const auto c = piece[i];
            if (c != u'\r' && c != u'\n')
                continue;
            takeLine(piece.sliced(start, i - start));
            if (c == u'\r' && i + 1 == size)
                afterCr_ = true;
            else if (c == u'\r' && piece[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
        if (start < size)
            pending_.append(piece.sliced(start));
    }

    // The text after the last break is an entry of its own; nothing follows a
    // final break (a file saved on Linux ends in LF as one saved on Windows
    // ends in CR LF).
    void finish() {
        if (!pending_.isEmpty())
            take_(View(pending_));
        pending_ = Buffer();
    }

private:
    using Buffer = std::conditional_t<std::is_same_v<View, QStringView>, QString, QByteArray>;

    void takeLine(View tail) {
        if (pending_.isEmpty()) {
            take_(tail);
            return;
        }
        pending_.append(tail);
        take_(View(pending_));
        pending_ = Buffer();
    }

    Take take_;
    Buffer pending_;
    bool afterCr_ = false;
};

} // namespace support
