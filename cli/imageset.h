#pragma once

#include "imagestyles.h"
#include "imagevariant.h"

#include <converter/drawtofile.h>

#include <QList>
#include <QString>

#include <vector>

namespace cli {

// The images a run makes for each address (or for -a): every scale of the
// light set, then of the dark set, each with the name and style it gets.
class ImageSet {
public:
    struct Member {
        ImageVariant variant;
        converter::DrawStyle style;
    };

    ImageSet(const ImageStyles& styles, const QString& extension);

    // In the order a page lists them: light then dark, smaller scales first.
    const QList<Member>& members() const { return members_; }
    // Several images an address: some names are then the set's own.
    bool hasVariants() const { return members_.size() > 1; }

    // The file name of a member for the image name `name`.
    QString fileName(const QString& name, const Member& member) const;
    // The files to draw for `name` in `folder` (as written), the largest
    // scale first, so that an image too large is refused before any other
    // of the set is written.
    std::vector<converter::ImageFile> files(const QString& folder, const QString& name) const;

private:
    QList<Member> members_;
    QString extension_;
};

} // namespace cli
