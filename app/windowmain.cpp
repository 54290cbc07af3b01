#include "exitwhenshown.h"
#include "form1.h"
#include "qtdialogs.h"

#include <QApplication>

// The window front, loaded by the program only when a window is wanted, so
// that the command line starts without the GUI libraries.
extern "C" Q_DECL_EXPORT int orvanta_window_main(int* argc, char** argv,
                                                 const QStringList* listFiles) {
    QApplication application(*argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("orvanta"));

    QtDialogs dialogs;
    Form1 window(Form1Environment::forSystem(dialogs));
    window.Form_Load();
    ExitWhenShownIfAsked(window);
    window.show();
    if (!listFiles->isEmpty())
        window.openListFiles(*listFiles);
    return application.exec();
}
