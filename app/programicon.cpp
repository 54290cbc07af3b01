#include "programicon.h"

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/orvanta-%1.png").arg(size), QSize(size, size));
    return icon;
}
