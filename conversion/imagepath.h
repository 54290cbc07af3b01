#pragma once

#include <QString>
#include <optional>

namespace conversion {

// The name of the one image made for the whole list.
inline const QString kWholeListName = QStringLiteral("Orvanta_Result");

// Where an image goes: the output folder text, "/" unless the text ends in
// one, the name exactly as given (sub-folders included), "." and the extension.
QString ImagePath(const QString& folder, const QString& name, const QString& extension);

// Why the image named `name` must not be made in `folder`, or nothing: it
// would land outside the output folder (an absolute name, a ".." part, a
// sub-folder reached through a symbolic link to elsewhere), no
// file name can hold it as it is (a NUL, a part longer than the file system
// takes: it would be cut into another file's name), or there is no output
// folder to put it in.
std::optional<QString> RefusedImageReason(const QString& folder, const QString& name,
                                          const QString& extension);

} // namespace conversion
