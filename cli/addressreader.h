#pragma once

#include "commandline.h"

#include <QByteArray>
#include <QString>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace cli {

// One record of the input: an address, or why that record cannot be one.
struct InputRecord {
    QString address;
    std::optional<QString> refused;
};

// The addresses of all sources, in the order given, read the Unix way: each
// list is read once, as it arrives (a pipe, a FIFO, /dev/stdin as well as a
// file), so a list of any length costs the same small memory. Records end at
// CR or LF (at NUL with `nulSeparated`); surrounding white space is trimmed and
// empty records are skipped. A list that starts with a UTF-16 or UTF-32
// byte-order mark is read in that encoding; otherwise each record is UTF-8 when
// it is valid UTF-8 and Windows-1252 when not, as are --address texts.
class AddressReader {
public:
    // A record longer than this is refused unread: no file path can be longer.
    static constexpr qsizetype kLongestRecord = 4096;

    // Every wait for input also watches `stopDescriptor` (StopSignals): a
    // list typed at a terminal, a pipe that stays silent or a named pipe with
    // no writer must not keep Ctrl-C from stopping the run.
    AddressReader(const QList<AddressSource>& sources, bool nulSeparated, int stopDescriptor);
    ~AddressReader();
    AddressReader(const AddressReader&) = delete;
    AddressReader& operator=(const AddressReader&) = delete;

    // The next record, or nothing once every source is used up or a stop
    // was requested. May wait for a pipe. Each list file is opened as its
    // turn comes and closed once read, so any number of them needs one
    // descriptor. Throws support::Failure naming the source that cannot be
    // read, or that is plainly no list (a record running on past a megabyte,
    // or a megabyte of separators alone).
    std::optional<InputRecord> next();

private:
    struct Source;
    void open(Source& source);
    // False when a stop was asked for while waiting.
    bool readMore(Source& source);
    void cut(const char* bytes, qsizetype size);
    void endRecord();

    std::vector<std::unique_ptr<Source>> sources_;
    size_t current_ = 0;
    bool nulSeparated_;
    int stopDescriptor_;
    qsizetype bytesWithoutRecord_ = 0;
    bool stdinTaken_ = false;
    QByteArray record_;
    qsizetype recordLength_ = 0;
    std::deque<InputRecord> ready_;
};

} // namespace cli
