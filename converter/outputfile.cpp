#include "outputfile.h"

#include "conversionerror.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
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

// A short fixed prefix: the target's own name may already be as long as a
// name can be.
std::string temporaryPrefix(const std::string& folder) {
    return folder + "/.txt2image-";
}

// mkstemp makes files for the owner only; an image gets the usual mode.
mode_t usualFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Kernels or file systems without unnamed files answer with one of these.
bool lacksUnnamedFiles(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// Linking by descriptor needs a privilege that the /proc path does not.
int linkDescriptor(int fd, const std::string& name) {
    if (::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0)
        return 0;
    if (errno != ENOENT && errno != EPERM)
        return errno;
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0
                                                                                            : errno;
}

} // namespace

ReplacingFile::ReplacingFile(const std::string& target)
    : target_(target), folder_(folderOf(target)) {
    if (target.empty())
        fail("no path given");
    if (target.back() == '/')
        fail("the path names a folder");
    int fd = openUnnamed();
    if (fd < 0 && lacksUnnamedFiles(errno))
        fd = openNamed();
    if (fd < 0)
        fail(errno);
    stream_ = ::fdopen(fd, "wb");
    if (!stream_) {
        const int error = errno;
        ::close(fd);
        if (!temporary_.empty())
            ::unlink(temporary_.c_str());
        fail(error);
    }
}

ReplacingFile::~ReplacingFile() {
    if (stream_)
        std::fclose(stream_);
    if (!committed_ && !temporary_.empty())
        ::unlink(temporary_.c_str());
}

int ReplacingFile::openUnnamed() {
    return ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
}

int ReplacingFile::openNamed() {
    std::string name = temporaryPrefix(folder_) + "XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd >= 0) {
        temporary_ = name;
        ::fchmod(fd, usualFileMode());
    }
    return fd;
}

void ReplacingFile::commit() {
    if (std::fflush(stream_) != 0 || std::ferror(stream_))
        fail(errno);
    if (temporary_.empty())
        linkUnnamed();
    const bool closed = std::fclose(stream_) == 0;
    const int closeError = errno;
    stream_ = nullptr;
    if (!closed)
        fail(closeError);
    if (!temporary_.empty() && ::rename(temporary_.c_str(), target_.c_str()) != 0)
        fail(errno);
    committed_ = true;
}

void ReplacingFile::linkUnnamed() {
    const int fd = ::fileno(stream_);
    int error = linkDescriptor(fd, target_);
    // A file stands at the target: link beside it and rename over it, which
    // replaces it in one step. The name is unique among running tools; a
    // name left by a killed run is skipped.
    const std::string prefix = temporaryPrefix(folder_) + std::to_string(::getpid()) + "-";
    for (int attempt = 0; error == EEXIST && attempt < 100; ++attempt) {
        const std::string name = prefix + std::to_string(attempt);
        error = linkDescriptor(fd, name);
        if (error == 0)
            temporary_ = name;
    }
    if (error != 0)
        fail(error);
}

void ReplacingFile::fail(const std::string& reason) const {
    throw ConversionError(FailureKind::UnwritableOutput,
                          "cannot write image '" + target_ + "': " + reason);
}

void ReplacingFile::fail(int error) const {
    fail(std::strerror(error));
}

} // namespace converter
