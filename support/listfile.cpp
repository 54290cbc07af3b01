#include "listfile.h"

#include "failure.h"
#include "fileutils.h"
#include "textdecoding.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace support {
namespace {

// Closes the descriptor however reading ends.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

QByteArray readWholeFile(const QString& path) {
    // Non-blocking, so that a named pipe chosen by mistake cannot hang the window.
    const FileDescriptor file(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        failErrno(QStringLiteral("Cannot open"), path, errno);

    struct stat st;
    if (::fstat(file.get(), &st) != 0)
        failErrno(QStringLiteral("Cannot read"), path, errno);
    if (S_ISDIR(st.st_mode))
        fail(QStringLiteral("Cannot read \"%1\": it is a folder, not a list file").arg(path));
    if (!S_ISREG(st.st_mode))
        fail(QStringLiteral("Cannot read \"%1\": it is not a regular file").arg(path));

    QByteArray bytes;
    bytes.resize(st.st_size);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() + 65536); // the file grew while being read
        const ssize_t n =
            ::read(file.get(), bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            failErrno(QStringLiteral("Cannot read"), path, errno);
        if (n == 0)
            break;
        filled += n;
    }
    bytes.truncate(filled);
    return bytes;
}

// The number of line ends and LFs: growing a list of a million entries step
// by step costs more than counting them first.
qsizetype countBreaks(QByteArrayView bytes) {
    qsizetype breaks = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')))
            ++breaks;
    }
    return breaks;
}

// Cuts `bytes` into entries and decodes each with `decode`; stops early when
// `decode` says so. CR and LF never occur inside a longer UTF-8 sequence or a
// Windows-1252 character, so the bytes can be cut before decoding.
template <class Decode> QStringList splitEntries(QByteArrayView bytes, Decode decode) {
    const char* data = bytes.data();
    const qsizetype size = bytes.size();
    QStringList entries;
    entries.reserve(countBreaks(bytes) + 1);
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n')
            continue;
        if (!decode(entries, QByteArrayView(data + start, i - start)))
            return entries;
        if (c == '\r' && i + 1 < size && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    // The text after the last break is a line of its own, except after a line
    // end proper (CR or CR LF): reading stops there. An LF only separates.
    const bool endsInLf =
        size > 0 && data[size - 1] == '\n' && (size < 2 || data[size - 2] != '\r');
    if (start < size || endsInLf)
        decode(entries, QByteArrayView(data + start, size - start));
    return entries;
}

} // namespace

QStringList ListEntries(QByteArrayView bytes) {
    bytes = WithoutUtf8Bom(bytes);
    // Each entry is decoded on its own: without ConvertInitialBom the decoder
    // would drop a U+FEFF that starts any entry, not just the file's mark.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                    QStringConverter::Flag::ConvertInitialBom);
    QStringList entries = splitEntries(bytes, [&](QStringList& out, QByteArrayView entry) {
        out.append(utf8.decode(entry));
        return !utf8.hasError();
    });
    if (!utf8.hasError())
        return entries;
    return splitEntries(bytes, [](QStringList& out, QByteArrayView entry) {
        out.append(DecodeWindows1252(entry));
        return true;
    });
}

QStringList ReadListFile(const QString& path) {
    return ListEntries(readWholeFile(path));
}

void LoadListFile(const QString& path, const EntrySink& append, const MessageNotice& notify) {
    if (!FileExists(path)) {
        notify(QStringLiteral("File not found"));
        return;
    }
    append(ReadListFile(path));
}

} // namespace support
