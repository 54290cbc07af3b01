#include "exitwhenshown.h"
#include "form1.h"
#include "qtdialogs.h"
#include "windowendsignals.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

constexpr int kNoWindow = 1;

// What Qt said while the application object was made, held back: without a
// display its platform plugin gives up in several lines and an abort, and
// one line with the way out says more.
std::vector<std::pair<QtMsgType, QString>> heldBack;

void holdBackOrRefuse(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) {
        heldBack.emplace_back(type, message);
        return;
    }
    std::fputs("orvanta: there is no display to open the window on; "
               "use --convert to make images without one (see --help)\n",
               stderr);
    std::_Exit(kNoWindow);
}

} // namespace

// The window front, loaded by the program only when a window is wanted, so
// that the command line starts without the GUI libraries.
extern "C" Q_DECL_EXPORT int orvanta_window_main(int* argc, char** argv,
                                                 const QStringList* listFiles) {
    const QtMessageHandler previous = qInstallMessageHandler(holdBackOrRefuse);
    QApplication application(*argc, argv);
    qInstallMessageHandler(previous);
    for (const auto& [type, message] : std::exchange(heldBack, {}))
        qt_message_output(type, QMessageLogContext(), message);
    QApplication::setDesktopFileName(QStringLiteral("orvanta"));

    WindowEndSignals endSignals;
    QtDialogs dialogs;
    Form1 window(Form1Environment::forSystem(dialogs));
    window.Form_Load();
    ExitWhenShownIfAsked(window);
    window.show();
    if (!listFiles->isEmpty())
        window.openListFiles(*listFiles);
    return application.exec();
}
