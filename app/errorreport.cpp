#include "errorreport.h"

#include "dialogs.h"

#include <support/productinfo.h>

QString ErrorReportText(const QString& description, const QString& procedure, int line) {
    return description + QStringLiteral("\r\nin ") + procedure + QStringLiteral(" at line ") +
           QString::number(line) + QStringLiteral("\r\rPlease email screenshot of this message to ") +
           product::kSupportAddress;
}

void ShowErrorReport(Dialogs& dialogs, QWidget* parent, const QString& description,
                     const QString& procedure, int line) {
    dialogs.warning(parent, QStringLiteral("Application Error"),
                    ErrorReportText(description, procedure, line));
}
