#pragma once

#include <dialogs.h>

#include <QQueue>
#include <QStringList>

// Answers the window's dialogs from queued answers and records what was shown.
class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        QString caption;
        QString text;
        bool warning;
    };

    QList<Shown> shown;
    QQueue<QString> inputAnswers;
    QQueue<QStringList> openAnswers;
    QQueue<QString> folderAnswers;
    QStringList prompts; // every prompt or title asked, in order
    QStringList filters; // the filter of every open dialog, in order
    QStringList folderStarts;
    // Runs while a box is "open", as a user's clicks on the window would.
    std::function<void()> whileShown;

    void message(QWidget*, const QString& caption, const QString& text) override;
    void warning(QWidget*, const QString& caption, const QString& text) override;
    QString input(QWidget*, const QString& caption, const QString& prompt) override;
    QStringList openFiles(QWidget*, const QString& title, const QString& filter) override;
    QString folder(QWidget*, const QString& prompt, const QString& start) override;

    QStringList texts() const;
    QStringList warnings() const;
};
