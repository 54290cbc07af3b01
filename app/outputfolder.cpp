#include "outputfolder.h"

#include "dialogs.h"
#include "form1.h"

#include <support/fileutils.h>

#include <QDir>
#include <QLineEdit>
#include <QPushButton>

OutputFolderCommand::OutputFolderCommand(Form1& window) : QObject(&window), window_(window) {
    connect(window.PushButton7, &QPushButton::clicked, this,
            &OutputFolderCommand::PushButton7_Click);
}

void OutputFolderCommand::PushButton7_Click() {
    support::StepTrap step = window_.trap(QStringLiteral("PushButton7_Click"));
    SettingsStore& settings = window_.settings();
    QString result;

    step(100, [&] { lastFolder_ = settings.read(SettingsStore::kLastFolder, QString()); });
    step(100, [&] {
        result = BrowseForFolderPath(window_.dialogs(), &window_,
                                     QStringLiteral("Please select folder:"), lastFolder_);
    });
    if (step.test(102, [&] { return result.isEmpty(); }))
        return;
    step(104, [&] { lastFolder_ = result; });
    step(104, [&] { settings.save(SettingsStore::kLastFolder, lastFolder_); });
    if (step.guard(104, [&] { return !result.endsWith(u'/'); }))
        step(106, [&] { window_.Text1->setText(result + u'/'); });
    else
        step(108, [&] { window_.Text1->setText(result); });
}

QString BrowseForFolderPath(Dialogs& dialogs, QWidget* owner, const QString& prompt,
                            const QString& startFolder) {
    // The first time, or when that folder has gone since, the home folder.
    const QString start = support::IsDirectory(startFolder) ? startFolder : QDir::homePath();
    return dialogs.folder(owner, prompt, start);
}
