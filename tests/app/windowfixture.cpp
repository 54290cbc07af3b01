#include "windowfixture.h"

#include <productinfo.h>

#include <QDir>
#include <QSettings>

WindowFixture::WindowFixture() {
    QDir().mkpath(programFolder());
    QDir().mkpath(path(QStringLiteral("config")));
}

QVariant WindowFixture::storedValue(const QString& key) const {
    QSettings settings(settingsFile(), QSettings::IniFormat);
    return settings.value(product::kName + u'/' + key);
}

void WindowFixture::storeValue(const QString& key, const QString& value) const {
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.setValue(product::kName + u'/' + key, value);
}

Form1& WindowFixture::open(bool load) {
    Form1Environment environment;
    environment.dialogs = dialogsInUse;
    environment.programFolder = programFolder();
    environment.settingsFile = settingsFile();
    environment.randomFraction = [this] { return randomFraction; };
    environment.openUrl = [this](const QUrl& url) {
        openedUrls << url;
        return openUrlSucceeds;
    };
    environment.terminate = [this] { ++terminations; };
    window_ = std::make_unique<Form1>(environment);
    if (load)
        window_->Form_Load();
    window_->show();
    return *window_;
}
