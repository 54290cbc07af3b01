#include "outputfile.h"

#include "conversionerror.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace converter {
namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// mkstemp makes files for the owner only; an image gets the usual mode.
mode_t usualFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

ReplacingFile::ReplacingFile(const std::string& target) : target_(target) {
    if (target.empty())
        fail("no path given");
    if (target.back() == '/')
        fail("the path names a folder");
    // A short fixed name: the target's own name may already be as long as a
    // name can be.
    temporary_ = folderOf(target) + "/.txt2image-XXXXXX";
    const int fd = ::mkstemp(temporary_.data());
    if (fd < 0) {
        const int error = errno;
        temporary_.clear();
        fail(std::strerror(error));
    }
    ::fchmod(fd, usualFileMode());
    stream_ = ::fdopen(fd, "wb");
    if (!stream_) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary_.c_str());
        fail(std::strerror(error));
    }
}

ReplacingFile::~ReplacingFile() {
    if (stream_)
        std::fclose(stream_);
    if (!committed_ && !temporary_.empty())
        ::unlink(temporary_.c_str());
}

void ReplacingFile::commit() {
    const bool written = std::fflush(stream_) == 0 && !std::ferror(stream_);
    const int writeError = errno;
    const bool closed = std::fclose(stream_) == 0;
    stream_ = nullptr;
    if (!written || !closed)
        fail(std::strerror(written ? errno : writeError));
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        fail(std::strerror(errno));
    committed_ = true;
}

void ReplacingFile::fail(const std::string& reason) const {
    throw ConversionError(FailureKind::UnwritableOutput,
                          "cannot write image '" + target_ + "': " + reason);
}

} // namespace converter
