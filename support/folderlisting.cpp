#include "folderlisting.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace support {
namespace {

// Most folders fit in one read of this size; a larger one doubles the buffer.
constexpr std::size_t kFirstReadBytes = 4 * 1024;
// Room for at least one entry of the longest name.
constexpr std::size_t kLeastRoom = sizeof(dirent64) + 256;

const dirent64* record(const char* at) {
    return reinterpret_cast<const dirent64*>(at);
}

} // namespace

FolderListing::Entry FolderListing::Iterator::operator*() const {
    return {record(at_)->d_name, record(at_)->d_type};
}

FolderListing::Iterator& FolderListing::Iterator::operator++() {
    at_ += record(at_)->d_reclen;
    return *this;
}

FolderListing::FolderListing(const QString& folder) {
    fd_ = ::open(QFile::encodeName(folder).constData(),
                 O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
        error_ = errno;
        return;
    }
    readAll();
}

FolderListing::~FolderListing() {
    if (fd_ >= 0)
        ::close(fd_);
}

// The kernel's own records are kept as they come: one read for a folder of
// ordinary size, and no copy of each name.
void FolderListing::readAll() {
    std::size_t capacity = kFirstReadBytes;
    records_.reset(new char[capacity]);
    for (;;) {
        if (capacity - size_ < kLeastRoom) {
            std::unique_ptr<char[]> larger(new char[capacity * 2]);
            std::memcpy(larger.get(), records_.get(), size_);
            records_ = std::move(larger);
            capacity *= 2;
        }
        const ssize_t n = ::getdents64(fd_, records_.get() + size_, capacity - size_);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // the end, or a failure that ends the listing with what was read
        size_ += static_cast<std::size_t>(n);
    }
}

} // namespace support
