#pragma once

#include "scripteddialogs.h"

#include <form1.h>

#include <QTemporaryDir>
#include <memory>

// A main window on a private program folder and settings file, with scripted
// dialogs, a fixed home-page draw and a recorded terminate.
class WindowFixture {
public:
    WindowFixture();

    QString path(const QString& name) const { return dir_.filePath(name); }
    QString programFolder() const { return path(QStringLiteral("program")); }
    // Writes a file below the fixture's folder, making the folders on the way.
    bool write(const QString& name, const QByteArray& bytes = "x") const;

    // What is on disk for a key (null when missing).
    QVariant storedValue(const QString& key) const;
    void storeValue(const QString& key, const QString& value) const;

    // Creates the window and runs its start-up.
    Form1& open();
    Form1& window() { return *window_; }
    QStringList entries() const;
    QPoint rowCenter(int row) const;

    QStringList lookFolders; // the program folder alone unless a test adds more
    ScriptedDialogs dialogs;
    Dialogs* dialogsInUse = &dialogs; // point at real dialogs to answer them on screen
    double randomFraction = 0.5;      // a draw of 51: no home page
    QList<QUrl> openedUrls;
    bool openUrlSucceeds = true;
    int terminations = 0;
    conversion::ToolLoader loadConverter = conversion::LoadConverterTool;

private:
    QTemporaryDir dir_;
    std::unique_ptr<Form1> window_;
};
