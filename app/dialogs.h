#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Every modal dialog the window opens goes through this interface, so tests
// can answer them without a person at the screen.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A plain message with only an OK button.
    virtual void message(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A message with the exclamation icon and only an OK button.
    virtual void warning(QWidget* parent, const QString& caption, const QString& text) = 0;
    // The typed text, or the empty string on Cancel.
    virtual QString input(QWidget* parent, const QString& caption, const QString& prompt) = 0;
    // A multi-select open dialog. Returns nothing on Cancel, the full path for
    // one file, and for several the folder followed by the bare names.
    // `filter` is "Name|patterns|Name|patterns|".
    virtual QStringList openFiles(QWidget* parent, const QString& title, const QString& filter) = 0;
    // A folder chooser opened at `start`; the chosen folder, or empty on Cancel.
    virtual QString folder(QWidget* parent, const QString& prompt, const QString& start) = 0;
};
