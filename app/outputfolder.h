#pragma once

#include <QObject>
#include <QString>

class Dialogs;
class Form1;
class QWidget;

// The "..." button: picks the output folder in a folder chooser that opens at
// the folder picked last, remembers the pick and puts it, ending in "/", into
// the output folder box (which stores it).
class OutputFolderCommand : public QObject {
    Q_OBJECT
public:
    explicit OutputFolderCommand(Form1& window);

    void PushButton7_Click();

private:
    Form1& window_;
    QString lastFolder_;
};

// A modal folder chooser with `prompt`, opened at `startFolder` when that
// still exists, otherwise at the home folder. Returns the chosen folder, or
// the empty string on Cancel.
QString BrowseForFolderPath(Dialogs& dialogs, QWidget* owner, const QString& prompt,
                            const QString& startFolder);
