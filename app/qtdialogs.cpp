#include "qtdialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace {

void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, displayLineBreaks(text), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

QStringList qtNameFilters(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ').replace(QStringLiteral("*.*"), QStringLiteral("*"));
        QString name = parts[i];
        name.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
        filters << (name.contains(u'(') ? name : name + QStringLiteral(" (") + patterns + u')');
    }
    return filters;
}

QString displayLineBreaks(const QString& text) {
    QString shown = text;
    return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

void QtDialogs::message(QWidget* parent, const QString& caption, const QString& text) {
    showBox(parent, QMessageBox::NoIcon, caption, text);
}

void QtDialogs::warning(QWidget* parent, const QString& caption, const QString& text) {
    showBox(parent, QMessageBox::Warning, caption, text);
}

QString QtDialogs::input(QWidget* parent, const QString& caption, const QString& prompt) {
    return QInputDialog::getText(parent, caption, prompt);
}

QStringList QtDialogs::openFiles(QWidget* parent, const QString& title, const QString& filter) {
    QFileDialog dialog(parent, title);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(qtNameFilters(filter));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.size() < 2)
        return chosen;
    // Several files always come from one folder: the folder, then the names.
    QStringList parts{QFileInfo(chosen.first()).absolutePath()};
    for (const QString& path : chosen)
        parts << QFileInfo(path).fileName();
    return parts;
}

QString QtDialogs::folder(QWidget* parent, const QString& prompt, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, prompt, start, QFileDialog::ShowDirsOnly);
}
