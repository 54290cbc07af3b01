#include "listfile.h"

#include "entrysplitter.h"
#include "failure.h"
#include "fileutils.h"
#include "textdecoding.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace support {
namespace {

constexpr qsizetype kChunk = qsizetype(1) << 20;

// An open list file, read a chunk at a time; closed however reading ends.
class ListFileReader {
public:
    explicit ListFileReader(const QString& path) : path_(path) {
        // Non-blocking, so that a named pipe chosen by mistake cannot hang the window.
        fd_.fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd_.fd < 0)
            failErrno(QStringLiteral("Cannot open"), path, errno);
        struct stat st;
        if (::fstat(fd_.fd, &st) != 0)
            failErrno(QStringLiteral("Cannot read"), path, errno);
        if (S_ISDIR(st.st_mode))
            fail(QStringLiteral("Cannot read \"%1\": it is a folder, not a list file").arg(path));
        if (!S_ISREG(st.st_mode))
            fail(QStringLiteral("Cannot read \"%1\": it is not a regular file").arg(path));
    }

    QByteArray head(qsizetype size) {
        QByteArray bytes(size, Qt::Uninitialized);
        bytes.truncate(readAt(bytes.data(), size, 0));
        return bytes;
    }

    // Calls `take` with the whole file from its start, one chunk after another.
    template <class Take> void forEachChunk(Take take) {
        QByteArray chunk(kChunk, Qt::Uninitialized);
        for (qint64 offset = 0;;) {
            const qsizetype filled = readAt(chunk.data(), kChunk, offset);
            if (filled == 0)
                return;
            take(QByteArrayView(chunk.constData(), filled));
            offset += filled;
        }
    }

private:
    // Fills `into` from `offset` on; less only at the end of the file.
    qsizetype readAt(char* into, qsizetype size, qint64 offset) {
        qsizetype filled = 0;
        while (filled < size) {
            const ssize_t n = ::pread(fd_.fd, into + filled, static_cast<size_t>(size - filled),
                                      static_cast<off_t>(offset + filled));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                failErrno(QStringLiteral("Cannot read"), path_, errno);
            if (n == 0)
                break;
            filled += n;
        }
        return filled;
    }

    // Closes the file also when the constructor gives up on it.
    struct Descriptor {
        Descriptor() = default;
        Descriptor(const Descriptor&) = delete;
        Descriptor& operator=(const Descriptor&) = delete;
        ~Descriptor() {
            if (fd >= 0)
                ::close(fd);
        }
        int fd = -1;
    };

    QString path_;
    Descriptor fd_;
};

// What a first reading tells of a file that has no UTF-16 or UTF-32 mark:
// whether all of it is UTF-8, and at most how many entries it holds.
struct Survey {
    bool utf8 = true;
    qsizetype entries = 1;
};

Survey survey(ListFileReader& file) {
    Survey found;
    QStringDecoder utf8(QStringConverter::Utf8);
    QString scratch;
    bool afterCr = false;
    const auto check = [&](QByteArrayView bytes) {
        scratch.resize(utf8.requiredSpace(bytes.size()));
        utf8.appendToBuffer(scratch.data(), bytes);
        found.utf8 = !utf8.hasError();
    };
    file.forEachChunk([&](QByteArrayView chunk) {
        for (const char c : chunk) {
            found.entries += c == '\r' || (c == '\n' && !afterCr);
            afterCr = c == '\r';
        }
        if (found.utf8)
            check(chunk);
    });
    if (found.utf8)
        check("\n"); // a sequence cut off by the end of the file shows only when more follows
    return found;
}

EntryList readBytes(ListFileReader& file) {
    const Survey found = survey(file);
    EntryList entries;
    entries.reserve(found.entries);
    EntrySplitter<QByteArrayView> split([&](QByteArrayView line) {
        if (found.utf8)
            entries.appendUtf8(line);
        else
            entries.append(DecodeWindows1252(line));
    });
    bool first = true;
    file.forEachChunk([&](QByteArrayView chunk) {
        split.feed(first ? WithoutUtf8Bom(chunk) : chunk);
        first = false;
    });
    split.finish();
    return entries;
}

EntryList readWide(ListFileReader& file, QStringConverter::Encoding encoding) {
    QStringDecoder decode(encoding); // drops the byte-order mark
    EntryList entries;
    EntrySplitter<QStringView> split([&](QStringView line) { entries.append(line); });
    file.forEachChunk([&](QByteArrayView chunk) {
        const QString text = decode(chunk);
        split.feed(text);
    });
    split.finish();
    return entries;
}

} // namespace

EntryList ReadListFile(const QString& path) {
    try {
        ListFileReader file(path);
        const std::optional<QStringConverter::Encoding> marked =
            QStringConverter::encodingForData(file.head(4));
        if (marked && *marked != QStringConverter::Utf8)
            return readWide(file, *marked);
        return readBytes(file);
    } catch (const std::bad_alloc&) {
        fail(QStringLiteral("Cannot read \"%1\": it does not fit in memory").arg(path));
    }
}

EntryList SplitListText(QStringView text) {
    EntryList entries;
    EntrySplitter<QStringView> split([&](QStringView line) { entries.append(line); });
    split.feed(text);
    split.finish();
    return entries;
}

void LoadListFile(const QString& path, const EntrySink& append, const MessageNotice& notify) {
    if (!FileExists(path)) {
        notify(QStringLiteral("File not found"));
        return;
    }
    append(ReadListFile(path));
}

} // namespace support
