#include "form1environment.h"

#include "settingsstore.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QRandomGenerator>
#include <cstdio>
#include <cstdlib>

Form1Environment Form1Environment::forSystem(Dialogs& dialogs) {
    Form1Environment environment;
    environment.dialogs = &dialogs;
    environment.programFolder = QCoreApplication::applicationDirPath();
    environment.settingsFile = SettingsStore::defaultFile();
    environment.randomFraction = [] { return QRandomGenerator::global()->generateDouble(); };
    environment.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    environment.terminate = [] {
        // Settings are already on disk; a command under way is abandoned here.
        std::fflush(nullptr);
        std::_Exit(0);
    };
    return environment;
}
