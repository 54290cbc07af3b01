#pragma once

#include "imageformat.h"

#include <cstdio>
#include <string>

namespace converter {

// The image file, written with no name in the target's folder and linked into
// place only once it is complete, so that a run that fails or is killed
// leaves nothing behind and keeps whatever stood at the target before. Where
// the file system cannot make a file without a name, it is written under a
// temporary name and renamed.
class ReplacingFile {
public:
    // The file at `target`, a path as the tool is given it. Throws
    // ConversionError (UnwritableOutput) when no file can be made there.
    explicit ReplacingFile(const std::string& target);
    // The file `name` beneath the folder `root`: every folder on the way is
    // resolved within `root`, so no symbolic link can lead the image out of
    // it. Messages name the file `shownAs`.
    ReplacingFile(int root, const std::string& name, const std::string& shownAs);
    // Removes the temporary file unless commit() succeeded.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    std::FILE* stream() { return stream_; }
    // Encodes image into the file; a failure names the image. Throws
    // ConversionError, or DrawingAbandoned once `stop` is set.
    void write(const Image& image, Encoder encode, const std::atomic<bool>* stop = nullptr);
    // Puts the complete file at the target and closes it; throws
    // ConversionError.
    void commit();

private:
    void openStream();
    int openUnnamed();
    int openNamed();
    // Gives the unnamed file the target's name, through a temporary name
    // when a file stands there already.
    void linkUnnamed();
    [[noreturn]] void fail(const std::string& reason) const;
    [[noreturn]] void fail(int error) const;

    std::string shownAs_;
    int folder_ = -1; // where the file goes
    bool ownsFolder_ = false;
    std::string leaf_;      // its name there
    std::string temporary_; // in the folder; empty while the file has no name
    std::FILE* stream_ = nullptr;
    bool committed_ = false;
};

} // namespace converter
