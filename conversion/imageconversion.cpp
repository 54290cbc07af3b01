#include "imageconversion.h"

#include "imagepath.h"

#include <support/childprocess.h>
#include <support/failure.h>
#include <support/fileutils.h>
#include <support/runandwait.h>

#include <QDir>
#include <QFile>

#include <sys/stat.h>

namespace conversion {

// Tells a file the converter has just written from one that stood there before.
struct ImageConversion::FileStamp {
    bool regularFile = false;
    dev_t device = 0;
    ino_t inode = 0;
    struct timespec changed = {};

    static FileStamp of(const QString& path) {
        FileStamp stamp;
        struct stat st;
        if (::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode)) {
            stamp.regularFile = true;
            stamp.device = st.st_dev;
            stamp.inode = st.st_ino;
            stamp.changed = st.st_ctim;
        }
        return stamp;
    }

    bool isNewFileSince(const FileStamp& before) const {
        return regularFile && (!before.regularFile || inode != before.inode ||
                               device != before.device || changed.tv_sec != before.changed.tv_sec ||
                               changed.tv_nsec != before.changed.tv_nsec);
    }
};

ImageConversion::ImageConversion(Conversion& run, const ConverterTool& tool)
    : run_(run), tool_(tool), textFile_(run.fileInFolder(QStringLiteral("emails.txt"))) {
    if (run.unusable()) {
        notMade_ = run.unusable();
        stopped_ = true;
        failedForEveryImage_ = true;
    }
}

ImageConversion::~ImageConversion() = default;

void ImageConversion::writeText(const QString& text) {
    if (stopped_)
        return;
    try {
        support::WriteTextFile(text, textFile_);
    } catch (const support::Failure& failure) {
        notMade_ = failure.description();
        stopped_ = true;
        failedForEveryImage_ = true;
        throw;
    }
}

void ImageConversion::aimAt(const QString& outputFolder, const QString& name) {
    outputPath_ = ImagePath(outputFolder, name, tool_.extension);
    if (stopped_)
        return;
    if (const auto refused = RefusedImageReason(outputFolder, name, tool_.extension)) {
        notMade_ = refused;
        stopped_ = true;
    }
}

void ImageConversion::runTool(const WaitingProgress& progress) {
    if (const auto child = startTool())
        finishTool(support::WaitForChild(*child, progress.display, progress.caption,
                                         progress.startValue, progress.count));
}

std::unique_ptr<support::ChildProcess> ImageConversion::startTool() {
    if (stopped_)
        return nullptr;
    stopped_ = true; // once
    before_ = std::make_unique<FileStamp>(FileStamp::of(outputPath_));
    // The converter starts in the run's folder and finds itself and its text
    // there; the image's path must then not depend on where we stand.
    const QString image =
        outputPath_.startsWith(u'/') ? outputPath_ : QDir::currentPath() + u'/' + outputPath_;
    return std::make_unique<support::ChildProcess>(QStringLiteral("./") + tool_.fileName,
                                                   QStringList{textFile_.name, image},
                                                   run_.folderDescriptor());
}

void ImageConversion::finishTool(int result) {
    failedForEveryImage_ = support::IsStartFailure(result);
    if (result != 0)
        notMade_ = DescribeConverterResult(result);
    else if (!FileStamp::of(outputPath_).isNewFileSince(*before_))
        notMade_ = QStringLiteral("the converter made no image file");
    else
        notMade_.reset();
}

void ImageConversion::removeText() {
    if (!run_.unusable())
        support::RemoveFile(textFile_);
}

} // namespace conversion
