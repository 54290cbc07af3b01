#include "listfile.h"

#include "failure.h"
#include "fileutils.h"
#include "textdecoding.h"

#include <QByteArray>
#include <QFile>

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

} // namespace

QStringList SplitListEntries(const QString& text) {
    QStringList entries;
    const QChar* data = text.constData();
    const qsizetype size = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = data[i].unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        entries.append(QString(data + start, i - start));
        if (c == u'\r' && i + 1 < size && data[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    // The text after the last break is a line of its own, except after a line
    // end proper (CR or CR LF): reading stops there. An LF only separates.
    if (start < size ||
        (size > 0 && data[size - 1] == u'\n' && (size < 2 || data[size - 2] != u'\r')))
        entries.append(QString(data + start, size - start));
    return entries;
}

QStringList ReadListFile(const QString& path) {
    return SplitListEntries(DecodeListText(readWholeFile(path)));
}

void LoadListFile(const QString& path, const EntrySink& append, const MessageNotice& notify) {
    if (!FileExists(path)) {
        notify(QStringLiteral("File not found"));
        return;
    }
    append(ReadListFile(path));
}

} // namespace support
