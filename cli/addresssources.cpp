#include "addresssources.h"

#include <support/failure.h>
#include <support/listfile.h>

#include <QScopeGuard>

#include <cerrno>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cli {
namespace {

QString descriptorPath(int fd) {
    return QStringLiteral("/proc/self/fd/%1").arg(fd);
}

// The list reader reads a file twice (to tell its encoding, then to split
// it), so input from a pipe is first copied to an unnamed file in memory.
support::EntryList readStandardInput() {
    const QString input = QStringLiteral("standard input");
    struct stat st;
    if (::fstat(STDIN_FILENO, &st) == 0 && S_ISREG(st.st_mode))
        return support::ReadListFile(descriptorPath(STDIN_FILENO));

    const int copy = ::memfd_create("orvanta-input", MFD_CLOEXEC);
    if (copy < 0)
        support::failErrno(QStringLiteral("Cannot read"), input, errno);
    const auto closeCopy = qScopeGuard([copy] { ::close(copy); });
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            support::failErrno(QStringLiteral("Cannot read"), input, errno);
        if (n == 0)
            break;
        for (ssize_t written = 0; written < n;) {
            const ssize_t w = ::write(copy, buffer + written, static_cast<size_t>(n - written));
            if (w < 0 && errno != EINTR)
                support::failErrno(QStringLiteral("Cannot read"), input, errno);
            written += qMax<ssize_t>(w, 0);
        }
    }
    return support::ReadListFile(descriptorPath(copy));
}

} // namespace

support::EntryList ReadAddresses(const QList<AddressSource>& sources) {
    support::EntryList addresses;
    bool inputRead = false;
    for (const AddressSource& source : sources) {
        switch (source.kind) {
        case AddressSource::Address:
            addresses.append(source.value);
            break;
        case AddressSource::StandardInput:
            // A second "-" finds the input used up, as with cat.
            if (!std::exchange(inputRead, true))
                addresses.append(readStandardInput());
            break;
        case AddressSource::ListFile:
            support::LoadListFile(
                source.value,
                [&](support::EntryList entries) { addresses.append(std::move(entries)); },
                [&](const QString& message) {
                    support::fail(QStringLiteral("%1: %2").arg(source.value, message));
                });
            break;
        }
    }
    return addresses;
}

} // namespace cli
