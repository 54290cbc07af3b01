#pragma once

#include <cstdio>
#include <string>

namespace converter {

// A file written under a temporary name in the target's folder and renamed
// over the target only once it is complete. A run that fails leaves no partial
// image behind and keeps whatever stood at the target before.
class ReplacingFile {
public:
    // Throws ConversionError (UnwritableOutput) when no file can be made there.
    explicit ReplacingFile(const std::string& target);
    // Removes the temporary file unless commit() succeeded.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    std::FILE* stream() { return stream_; }
    // Closes the file and puts it at the target; throws ConversionError.
    void commit();

private:
    [[noreturn]] void fail(const std::string& reason) const;

    std::string target_;
    std::string temporary_;
    std::FILE* stream_ = nullptr;
    bool committed_ = false;
};

} // namespace converter
