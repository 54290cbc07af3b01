#include "settingsstore.h"

#include <support/productinfo.h>

#include <QStandardPaths>

SettingsStore::SettingsStore(const QString& file) : settings_(file, QSettings::IniFormat) {}

QString SettingsStore::defaultFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quillmark.conf");
}

QString SettingsStore::read(const QString& name, const QString& fallback) {
    return settings_.value(key(name), fallback).toString();
}

void SettingsStore::save(const QString& name, const QString& value) {
    settings_.setValue(key(name), value);
    settings_.sync();
}

QString SettingsStore::key(const QString& name) const { return product::kName + u'/' + name; }
