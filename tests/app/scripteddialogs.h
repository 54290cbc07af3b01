#pragma once

#include <dialogs.h>

#include <QStringList>
#include <functional>

// Answers the window's dialogs from queued answers and records what was shown.
class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        QString caption;
        QString text;
    };

    QList<Shown> shown;
    // Answers given in order; an empty answer once they run out (Cancel).
    QStringList inputAnswers;
    QList<QStringList> openAnswers;
    QStringList folderAnswers;
    QStringList prompts; // every prompt or title asked, in order
    QStringList filters; // the filter of every open dialog, in order
    QStringList folderStarts;
    // Runs while a box is "open", as a user's clicks on the window would.
    std::function<void()> whileShown;

    void message(QWidget*, const QString& caption, const QString& text) override {
        show({caption, text});
    }
    void warning(QWidget* parent, const QString& caption, const QString& text) override {
        message(parent, caption, text); // the icon is the real box's business
    }
    QString input(QWidget*, const QString&, const QString& prompt) override {
        prompts << prompt;
        return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
    }
    QStringList openFiles(QWidget*, const QString& title, const QString& filter) override {
        prompts << title;
        filters << filter;
        return openAnswers.isEmpty() ? QStringList() : openAnswers.takeFirst();
    }
    QString folder(QWidget*, const QString& prompt, const QString& start) override {
        prompts << prompt;
        folderStarts << start;
        return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
    }

    QStringList texts() const {
        QStringList all;
        for (const Shown& box : shown)
            all << box.text;
        return all;
    }

private:
    void show(const Shown& box) {
        shown << box;
        if (whileShown)
            whileShown();
    }
};
