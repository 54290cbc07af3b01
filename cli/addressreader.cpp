#include "addressreader.h"

#include <support/failure.h>
#include <support/textdecoding.h>

#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cli {
namespace {

// A record still without its end after this many bytes is no address list's
// (standard input of /dev/zero, an image given by mistake): reading stops.
constexpr qsizetype kNoListAfter = qsizetype(1) << 20;
constexpr qsizetype kReadSize = 65536;
// The longest byte-order mark, which tells UTF-32 from UTF-16.
constexpr qsizetype kMarkSize = 4;

[[noreturn]] void failReading(const QString& source, int error) {
    support::fail(QStringLiteral("%1: %2").arg(source, support::ErrorText(error)));
}

bool isAsciiSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

struct AddressReader::Source {
    AddressSource::Kind kind;
    QByteArray value;
    QString shownAs;
    int fd = -1;
    bool ownsFd = false;
    bool ended = false;
    bool encodingKnown = false;
    QByteArray head; // the first bytes, until they tell the encoding
    std::optional<QStringDecoder> wide;

    bool opened = false;

    void close() {
        if (ownsFd)
            ::close(fd);
        ownsFd = false;
        fd = -1;
    }
    ~Source() { close(); }
};

AddressReader::AddressReader(const QList<AddressSource>& sources, bool nulSeparated,
                             int stopDescriptor)
    : nulSeparated_(nulSeparated), stopDescriptor_(stopDescriptor) {
    for (const AddressSource& given : sources) {
        auto source = std::make_unique<Source>();
        source->kind = given.kind;
        source->value = given.value;
        source->shownAs = given.kind == AddressSource::StandardInput
                              ? QStringLiteral("standard input")
                              : QFile::decodeName(given.value);
        sources_.push_back(std::move(source));
    }
}

AddressReader::~AddressReader() = default;

void AddressReader::open(Source& source) {
    if (source.kind == AddressSource::StandardInput) {
        // A second "-" finds the input used up, as with cat.
        source.fd = std::exchange(stdinTaken_, true) ? -1 : STDIN_FILENO;
        return;
    }
    // Not blocking, so that a named pipe with no writer yet is waited for
    // where a stop is noticed too.
    source.fd = ::open(source.value.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (source.fd < 0)
        failReading(source.shownAs, errno);
    source.ownsFd = true;
    struct stat st;
    if (::fstat(source.fd, &st) == 0 && S_ISDIR(st.st_mode))
        support::fail(QStringLiteral("%1: is a folder, not a list").arg(source.shownAs));
}

std::optional<InputRecord> AddressReader::next() {
    while (ready_.empty()) {
        if (current_ >= sources_.size())
            return std::nullopt;
        Source& source = *sources_[current_];
        if (source.kind == AddressSource::Address) {
            cut(source.value.constData(), source.value.size());
            endRecord();
            ++current_;
        } else if (!source.opened) {
            source.opened = true;
            open(source);
        } else if (source.fd < 0 || source.ended) {
            source.close();
            ++current_;
        } else if (!readMore(source)) {
            return std::nullopt;
        }
    }
    InputRecord record = std::move(ready_.front());
    ready_.pop_front();
    return record;
}

bool AddressReader::readMore(Source& source) {
    pollfd waits[] = {{source.fd, POLLIN, 0}, {stopDescriptor_, POLLIN, 0}};
    // A signal breaks off the poll; the next one sees its pipe readable.
    if (::poll(waits, stopDescriptor_ >= 0 ? 2 : 1, -1) < 0)
        return true;
    if (waits[1].revents != 0)
        return false;
    char buffer[kReadSize];
    const ssize_t n = ::read(source.fd, buffer, sizeof buffer);
    if (n < 0 && errno != EINTR && errno != EAGAIN)
        failReading(source.shownAs, errno);
    if (n < 0)
        return true;
    QByteArrayView bytes(buffer, n);
    if (!source.encodingKnown) {
        source.head.append(bytes);
        if (source.head.size() < kMarkSize && n > 0)
            return true;
        source.encodingKnown = true;
        const auto marked = QStringConverter::encodingForData(source.head);
        if (marked && *marked != QStringConverter::Utf8)
            source.wide.emplace(*marked); // drops the mark
        bytes = source.wide ? QByteArrayView(source.head) : support::WithoutUtf8Bom(source.head);
    }
    if (source.wide) {
        const QByteArray utf8 = QString((*source.wide)(bytes)).toUtf8();
        cut(utf8.constData(), utf8.size());
    } else {
        cut(bytes.data(), bytes.size());
    }
    source.head = QByteArray();
    if (recordLength_ > kNoListAfter)
        support::fail(QStringLiteral("%1: a line runs on past %2 bytes; this is no list of "
                                     "addresses")
                          .arg(source.shownAs)
                          .arg(kNoListAfter));
    if (bytesWithoutRecord_ > kNoListAfter)
        support::fail(QStringLiteral("%1: %2 bytes hold no address; this is no list of "
                                     "addresses")
                          .arg(source.shownAs)
                          .arg(kNoListAfter));
    if (n == 0) {
        endRecord(); // a list's last line needs no line end
        source.ended = true;
    }
    return true;
}

void AddressReader::cut(const char* bytes, qsizetype size) {
    const char separator = nulSeparated_ ? '\0' : '\n';
    bytesWithoutRecord_ += size;
    for (qsizetype i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (c == separator || (!nulSeparated_ && c == '\r')) {
            endRecord();
        } else if (recordLength_ > 0 || !isAsciiSpace(c)) {
            if (++recordLength_ <= kLongestRecord)
                record_.append(c);
        }
    }
}

void AddressReader::endRecord() {
    if (recordLength_ > kLongestRecord) {
        // Shown by its start only: the whole of it was never kept.
        ready_.push_back(
            {support::DecodeUtf8OrWindows1252(record_.left(40)) + QStringLiteral("..."),
             QStringLiteral("the line is %1 bytes long, longer than any file path can be")
                 .arg(recordLength_)});
    } else if (recordLength_ > 0) {
        const QString address = support::DecodeUtf8OrWindows1252(record_).trimmed();
        if (!address.isEmpty()) {
            ready_.push_back({address, std::nullopt});
            bytesWithoutRecord_ = 0;
        }
    }
    record_.clear();
    recordLength_ = 0;
}

} // namespace cli
