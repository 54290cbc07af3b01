#include "form1.h"
#include "qtdialogs.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("orvanta"));

    QtDialogs dialogs;
    Form1 window(Form1Environment::forSystem(dialogs));
    window.Form_Load();
    window.centerOnScreen();
    window.show();
    return application.exec();
}
