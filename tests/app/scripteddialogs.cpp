#include "scripteddialogs.h"

void ScriptedDialogs::message(QWidget*, const QString& caption, const QString& text) {
    shown.append({caption, text, false});
    if (whileShown)
        whileShown();
}

void ScriptedDialogs::warning(QWidget*, const QString& caption, const QString& text) {
    shown.append({caption, text, true});
    if (whileShown)
        whileShown();
}

QString ScriptedDialogs::input(QWidget*, const QString&, const QString& prompt) {
    prompts << prompt;
    return inputAnswers.isEmpty() ? QString() : inputAnswers.dequeue();
}

QStringList ScriptedDialogs::openFiles(QWidget*, const QString& title, const QString& filter) {
    prompts << title;
    filters << filter;
    return openAnswers.isEmpty() ? QStringList() : openAnswers.dequeue();
}

QString ScriptedDialogs::folder(QWidget*, const QString& prompt, const QString& start) {
    prompts << prompt;
    folderStarts << start;
    return folderAnswers.isEmpty() ? QString() : folderAnswers.dequeue();
}

QStringList ScriptedDialogs::texts() const {
    QStringList all;
    for (const Shown& box : shown)
        all << box.text;
    return all;
}

QStringList ScriptedDialogs::warnings() const {
    QStringList all;
    for (const Shown& box : shown)
        if (box.warning)
            all << box.text;
    return all;
}
