#include "form1environment.h"

#include "settingsstore.h"

#include <support/fileutils.h>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>

namespace {
Q_LOGGING_CATEGORY(lookLog, "orvanta.look", QtWarningMsg)
}

Form1Environment Form1Environment::forSystem(Dialogs& dialogs) {
    Form1Environment environment;
    environment.dialogs = &dialogs;
    environment.lookFolders = {
        QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
            QStringLiteral("/orvanta"),
        QStringLiteral(ORVANTA_LOOK_FOLDER),
    };
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

QString Form1Environment::lookFile(const QString& name) const {
    for (const QString& folder : lookFolders) {
        const QString path = folder + u'/' + name;
        if (support::FileExists(path))
            return path;
    }
    return lookFolders.isEmpty() ? QString() : lookFolders.first() + u'/' + name;
}

void Form1Environment::reportLookFiles() const {
    if (!lookLog().isInfoEnabled())
        return;
    for (const QString& name :
         {QStringLiteral("HAND-M.CUR"), QStringLiteral("x/o.cjs"), QStringLiteral("drag.ico")}) {
        const QString path = lookFile(name);
        if (support::FileExists(path))
            qCInfo(lookLog).noquote() << name << "from" << path;
        else
            qCInfo(lookLog).noquote() << name << "in none of" << lookFolders.join(u", ");
    }
}
