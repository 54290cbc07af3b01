#pragma once

#include <QSettings>
#include <QString>

// The per-user settings: one INI file, the product name as its section.
// Every save reaches the disk before it returns, so a killed program loses
// nothing that was typed.
class SettingsStore {
public:
    static inline const QString kOutputFolder = QStringLiteral("Output Folder");
    static inline const QString kLastFolder = QStringLiteral("LastFolderDot");

    explicit SettingsStore(const QString& file);

    // The file the program uses: Quillmark.conf in the user's config folder.
    static QString defaultFile();

    // The stored value; `fallback` only when the key is absent.
    QString read(const QString& key, const QString& fallback = {});
    void save(const QString& key, const QString& value);

private:
    QString key(const QString& name) const;
    QSettings settings_;
};
