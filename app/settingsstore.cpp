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
    // A value the file already holds is not written again: a write waits for
    // the disk twice (lock and file), and the window sets the stored folder
    // at every start. The file is read afresh first, so a value another
    // program wrote meanwhile is still replaced.
    settings_.sync();
    const QVariant stored = settings_.value(key(name));
    if (stored.isValid() && stored.toString() == value)
        return;
    settings_.setValue(key(name), value);
    settings_.sync();
}

QString SettingsStore::key(const QString& name) const { return product::kName + u'/' + name; }
