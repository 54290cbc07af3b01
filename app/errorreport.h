#pragma once

#include <QString>

class Dialogs;
class QWidget;

// The text of the "Application Error" box: the description, CR LF, "in ",
// the procedure path, " at line " and the line, CR CR, and the support request.
QString ErrorReportText(const QString& description, const QString& procedure, int line);

// Shows the "Application Error" box and waits until it is closed.
void ShowErrorReport(Dialogs& dialogs, QWidget* parent, const QString& description,
                     const QString& procedure, int line);
