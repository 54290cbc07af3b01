#pragma once

#include <QString>

#include <cstddef>
#include <memory>

namespace support {

// A folder opened and read in one pass: the names of its entries with the
// type the folder itself records for each, and a descriptor for looking at
// an entry without resolving the folder's path again. Closed when it goes.
class FolderListing {
public:
    struct Entry {
        const char* name;
        // DT_REG, DT_DIR, DT_LNK, ...; DT_UNKNOWN where the file system does not say.
        unsigned char type;
    };

    class Iterator {
    public:
        explicit Iterator(const char* at) : at_(at) {}
        Entry operator*() const;
        Iterator& operator++();
        bool operator!=(const Iterator& other) const { return at_ != other.at_; }

    private:
        const char* at_;
    };

    // Not open when the folder cannot be opened (error() says why); a
    // failure partway through the reading keeps the entries read until then.
    explicit FolderListing(const QString& folder);
    ~FolderListing();
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int error() const { return error_; }
    int fd() const { return fd_; }

    Iterator begin() const { return Iterator(records_.get()); }
    Iterator end() const { return Iterator(records_.get() + size_); }

private:
    void readAll();

    int fd_ = -1;
    int error_ = 0;
    std::unique_ptr<char[]> records_;
    std::size_t size_ = 0;
};

} // namespace support
