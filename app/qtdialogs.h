#pragma once

#include "dialogs.h"

// The real dialogs: QMessageBox, QInputDialog and QFileDialog.
class QtDialogs final : public Dialogs {
public:
    void message(QWidget* parent, const QString& caption, const QString& text) override;
    void warning(QWidget* parent, const QString& caption, const QString& text) override;
    QString input(QWidget* parent, const QString& caption, const QString& prompt) override;
    QStringList openFiles(QWidget* parent, const QString& title, const QString& filter) override;
    QString folder(QWidget* parent, const QString& prompt, const QString& start) override;
};

// "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|" as Qt name filters; "*.*"
// means every file, with or without a dot in its name.
QStringList qtNameFilters(const QString& pipeFilter);

// CR LF and lone CR as the line feeds a Linux label breaks lines at.
QString displayLineBreaks(const QString& text);
