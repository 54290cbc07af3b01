#pragma once

#include <QString>

namespace conversion {

// The folder one run works in: a new one each run, made (mode 0700) inside
// the temporary folder, so that the tools and the text file of two programs
// converting at once never meet, and nothing left or planted there is used.
// Everything in it is reached through the folder's descriptor, so that
// renaming the folder (or what holds it) cannot send the run elsewhere.
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
    // Where the folder was made, for messages.
    const QString& path() const { return path_; }
    // The open folder, for the *at calls; -1 when there is none.
    int descriptor() const { return folder_; }
    // Removes the folder and everything in it, wherever it stands now and
    // under whatever name. Never fails.
    void close();

    // Closes every run folder still open in this program: it is ending at
    // once (the window closed, a signal), and no run is to leave its folder.
    static void closeAllOpen();

private:
    QString path_;
    QByteArray name_; // as made
    int folder_ = -1;
    int lock_ = -1;
};

// Removes the run folders in `base` whose lock nobody holds: only folders of
// the user's own, never through a link. Never fails.
void RemoveDeadRunFolders(const QString& base);

} // namespace conversion
