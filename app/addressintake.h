#pragma once

#include <QObject>
#include <QStringList>

class Form1;

// The commands that put entries into the address list and take them out:
// "Add One Email", "Load Sample/Example Emails", "Load Emails From Text File",
// "Clear List", and removing the selected entry with Delete or a double-click.
class AddressIntake : public QObject {
    Q_OBJECT
public:
    explicit AddressIntake(Form1& form);

    // Loads list files named outside the window (on the command line, or by
    // "Open with" in a file manager) as "Load Emails From Text File" does.
    void loadListFiles(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PushButton1_Click();
    void PushButton10_Click();
    void PushButton4_Click();
    void PushButton9_Click();
    void removeSelectedEntry();
    void loadListFile(const QString& path);
    // Back to the ordinary pointer, unless the load found the window busy.
    void endBusyState(bool wasBusy);

    Form1& form_;
};
