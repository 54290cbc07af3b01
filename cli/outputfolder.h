#pragma once

#include <QByteArray>
#include <QString>

namespace cli {

// The folder the images go to, held open: every image is made beneath this
// descriptor, whatever happens to the folder's path during the run.
class OutputFolder {
public:
    // Opens `given` (the current folder when empty) once it is known to be a
    // folder the images can be written to. Throws support::Failure naming it
    // and what is wrong with it.
    explicit OutputFolder(const QByteArray& given);
    ~OutputFolder();
    OutputFolder(const OutputFolder&) = delete;
    OutputFolder& operator=(const OutputFolder&) = delete;

    int descriptor() const { return fd_; }
    // The folder's path as text, for checking names against its file system.
    const QString& path() const { return path_; }

private:
    int fd_ = -1;
    QString path_;
};

} // namespace cli
