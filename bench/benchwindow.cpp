#include "benchwindow.h"

#include <cstdlib>

std::unique_ptr<Form1> OpenBenchWindow(Dialogs& dialogs, const QTemporaryDir& scratch) {
    Form1Environment environment;
    environment.dialogs = &dialogs;
    environment.lookFolders = {scratch.path()};
    environment.settingsFile = scratch.filePath(QStringLiteral("bench.conf"));
    environment.randomFraction = [] { return 0.5; };
    environment.openUrl = [](const QUrl&) { return false; };
    environment.terminate = [] { std::_Exit(1); };
    auto window = std::make_unique<Form1>(environment);
    window->Form_Load();
    window->show();
    return window;
}
