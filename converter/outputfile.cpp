#include "outputfile.h"

#include "conversionerror.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace converter {
namespace {

// The name after the last "/", and the folder before it ("." without one).
std::pair<std::string, std::string> splitPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// A short fixed prefix: the target's own name may already be as long as a
// name can be.
constexpr const char* kTemporaryPrefix = ".txt2image-";

// An image gets the usual mode, as a file made by open(O_CREAT) would.
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
int linkDescriptor(int fd, int folder, const std::string& name) {
    if (::linkat(fd, "", folder, name.c_str(), AT_EMPTY_PATH) == 0)
        return 0;
    if (errno != ENOENT && errno != EPERM)
        return errno;
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0
                                                                                          : errno;
}

// The folder `path` beneath `root`, never reached through a link that leaves
// it. Kernels before openat2 get a walk that follows no link at all.
int openFolderBeneath(int root, const std::string& path) {
    open_how how{};
    how.flags = O_PATH | O_DIRECTORY | O_CLOEXEC;
    how.resolve = RESOLVE_BENEATH;
    const long fd = ::syscall(SYS_openat2, root, path.c_str(), &how, sizeof how);
    if (fd >= 0 || errno != ENOSYS)
        return static_cast<int>(fd);
    int folder = ::fcntl(root, F_DUPFD_CLOEXEC, 0);
    for (std::size_t from = 0; folder >= 0 && from <= path.size();) {
        const std::size_t slash = std::min(path.find('/', from), path.size());
        const std::string part = path.substr(from, slash - from);
        from = slash + 1;
        if (part.empty() || part == ".")
            continue;
        const int next = part == ".." ? (errno = EXDEV, -1)
                                      : ::openat(folder, part.c_str(),
                                                 O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        const int error = errno;
        ::close(folder);
        folder = next;
        errno = error;
    }
    return folder;
}

} // namespace

ReplacingFile::ReplacingFile(const std::string& target) : shownAs_(target) {
    if (target.empty())
        fail("no path given");
    if (target.back() == '/')
        fail("the path names a folder");
    const auto [folder, leaf] = splitPath(target);
    leaf_ = leaf;
    folder_ = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder_ < 0)
        fail(errno);
    ownsFolder_ = true;
    openStream();
}

ReplacingFile::ReplacingFile(int root, const std::string& name, const std::string& shownAs)
    : shownAs_(shownAs) {
    if (name.empty() || name.back() == '/')
        fail("the path names a folder");
    const auto [folder, leaf] = splitPath(name);
    leaf_ = leaf;
    // The root itself is used as the caller holds it: one descriptor less
    // for each image being written.
    ownsFolder_ = folder != ".";
    folder_ = ownsFolder_ ? openFolderBeneath(root, folder) : root;
    if (folder_ < 0 && (errno == EXDEV || errno == ELOOP))
        fail("its folder is reached through a symbolic link out of the output folder");
    if (folder_ < 0)
        fail(errno);
    openStream();
}

ReplacingFile::~ReplacingFile() {
    if (stream_)
        std::fclose(stream_);
    if (!committed_ && !temporary_.empty())
        ::unlinkat(folder_, temporary_.c_str(), 0);
    if (ownsFolder_)
        ::close(folder_);
}

void ReplacingFile::openStream() {
    int fd = openUnnamed();
    if (fd < 0 && lacksUnnamedFiles(errno))
        fd = openNamed();
    if (fd >= 0)
        stream_ = ::fdopen(fd, "wb");
    if (stream_)
        return;
    // The destructor does not run for a constructor that throws.
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    if (!temporary_.empty())
        ::unlinkat(folder_, temporary_.c_str(), 0);
    if (ownsFolder_)
        ::close(folder_);
    fail(error);
}

int ReplacingFile::openUnnamed() {
    return ::openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
}

int ReplacingFile::openNamed() {
    static std::atomic<unsigned> made{0};
    const std::string prefix = kTemporaryPrefix + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = prefix + std::to_string(made++);
        const int fd =
            ::openat(folder_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                     usualFileMode());
        if (fd >= 0)
            temporary_ = name;
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
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
    if (!temporary_.empty() && ::renameat(folder_, temporary_.c_str(), folder_, leaf_.c_str()) != 0)
        fail(errno);
    committed_ = true;
}

void ReplacingFile::linkUnnamed() {
    const int fd = ::fileno(stream_);
    int error = linkDescriptor(fd, folder_, leaf_);
    // A file stands at the target: link beside it and rename over it, which
    // replaces it in one step. The name is unique among running tools and
    // threads; a name left by a killed run is skipped.
    const std::string prefix =
        kTemporaryPrefix + std::to_string(::getpid()) + "-" + std::to_string(fd) + "-";
    for (int attempt = 0; error == EEXIST && attempt < 100; ++attempt) {
        const std::string name = prefix + std::to_string(attempt);
        error = linkDescriptor(fd, folder_, name);
        if (error == 0)
            temporary_ = name;
    }
    if (error != 0)
        fail(error);
}

void ReplacingFile::write(const Image& image, Encoder encode, const std::atomic<bool>* stop) {
    try {
        encode(image, stream_, stop);
    } catch (const ConversionError& error) {
        throw ConversionError(error.kind(),
                              "cannot write image '" + shownAs_ + "': " + error.what());
    }
}

void ReplacingFile::fail(const std::string& reason) const {
    throw ConversionError(FailureKind::UnwritableOutput,
                          "cannot write image '" + shownAs_ + "': " + reason);
}

void ReplacingFile::fail(int error) const {
    fail(std::strerror(error));
}

} // namespace converter
