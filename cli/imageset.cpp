#include "imageset.h"

#include <conversion/imagepath.h>

#include <QFile>

#include <algorithm>

namespace cli {

ImageSet::ImageSet(const ImageStyles& styles, const QString& extension) : extension_(extension) {
    for (const bool dark : {false, true}) {
        if (dark && !styles.dark)
            continue;
        for (const int scale : styles.scales) {
            converter::DrawStyle style = dark ? *styles.dark : styles.light;
            style.scale = scale;
            members_.append({{scale, dark}, style});
        }
    }
}

QString ImageSet::fileName(const QString& name, const Member& member) const {
    return VariantName(name, member.variant) + u'.' + extension_;
}

std::vector<converter::ImageFile> ImageSet::files(const QString& folder,
                                                  const QString& name) const {
    std::vector<converter::ImageFile> files;
    for (const Member& member : members_) {
        const QString variantName = VariantName(name, member.variant);
        files.push_back({member.style, QFile::encodeName(fileName(name, member)).toStdString(),
                         conversion::ImagePath(folder, variantName, extension_).toStdString()});
    }
    std::stable_sort(files.begin(), files.end(),
                     [](const auto& a, const auto& b) { return a.style.scale > b.style.scale; });
    return files;
}

} // namespace cli
