#pragma once

#include <QString>

namespace conversion {

// The folder one run works in: a new one each run, made (mode 0700) inside
// the temporary folder, so that the tools and the text file of two programs
// converting at once never meet, and nothing left or planted there is used.
// A run holds a lock in it while it lives; folders of runs that were killed
// keep their lock free and are removed by a later run.
class RunFolder {
public:
    RunFolder() = default;
    ~RunFolder();
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    // Removes the folders dead runs left in `base`, then makes and locks a
    // new one there. Throws support::Failure.
    void open(const QString& base);
    const QString& path() const { return path_; }
    // Removes the folder and everything in it. Never fails.
    void close();

private:
    QString path_;
    int folder_ = -1;
    int lock_ = -1;
};

// Removes the run folders in `base` whose lock nobody holds: only folders of
// the user's own, never through a link. Never fails.
void RemoveDeadRunFolders(const QString& base);

} // namespace conversion
