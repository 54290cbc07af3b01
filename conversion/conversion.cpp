#include "conversion.h"

#include "tempfolder.h"

#include <support/failure.h>
#include <support/fileutils.h>

#include <sys/stat.h>

namespace conversion {
namespace {

constexpr mode_t kToolMode = 0700;

} // namespace

Conversion::Conversion(ToolLoader loadTool) : loadTool_(std::move(loadTool)) {}

Conversion::~Conversion() {
    close();
}

void Conversion::open() {
    try {
        folder_.open(TemporaryFolder(&passedOver_));
        unusable_.reset();
    } catch (const support::Failure& failure) {
        unusable_ = failure.description();
        throw;
    }
}

void Conversion::putTool(const ConverterTool& tool, const QByteArray& bytes) {
    if (!unusable_ && !bytes.isEmpty())
        support::WriteBytesIfMissing(bytes, fileInFolder(tool.fileName), kToolMode);
}

void Conversion::removeTool(const ConverterTool& tool) {
    if (!unusable_)
        support::RemoveFile(fileInFolder(tool.fileName));
}

void Conversion::close() {
    folder_.close();
    unusable_ = QStringLiteral("the run was over");
}

support::FolderFile Conversion::fileInFolder(const QString& name) const {
    return {folder_.descriptor(), name, folder_.path() + u'/' + name};
}

} // namespace conversion
