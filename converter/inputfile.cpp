#include "inputfile.h"

#include "conversionerror.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace converter {
namespace {

[[noreturn]] void failReading(const std::string& path, const std::string& reason) {
    throw ConversionError(FailureKind::UnreadableInput,
                          "cannot read text file '" + path + "': " + reason);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

std::string readInputFile(const std::string& path) {
    if (path.empty())
        failReading(path, "no path given");
    // Non-blocking, so that opening a named pipe with no writer or a device
    // returns at once; only a regular file is then read.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        failReading(path, std::strerror(errno));
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        failReading(path, std::strerror(errno));
    if (S_ISDIR(info.st_mode))
        failReading(path, "it is a folder");
    if (!S_ISREG(info.st_mode))
        failReading(path, "it is not a regular file");

    // Read to the end rather than trusting st_size: the file may change while
    // it is read.
    std::string bytes;
    if (static_cast<std::size_t>(info.st_size) <= kMaxInputBytes)
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            failReading(path, std::strerror(errno));
        if (got == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(got) > kMaxInputBytes)
            failReading(path, "it is larger than " + std::to_string(kMaxInputBytes >> 20) +
                                  " MiB, too much text for one image");
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    return bytes;
}

} // namespace converter
