#include "qtdialogs.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// Beside the caption a title bar holds the window's icon and up to four
// buttons, each about as wide as the bar is high: half as much again as a
// line of the caption.
constexpr int kTitleBarItems = 5;
// The address the prompt's field shows whole: 40 characters.
const QString kTypicalAddress = QStringLiteral("christopher.johnston@mail.example-co.com");

// What a title bar needs to show `caption` whole. Window managers draw
// captions in bold, in the desktop's title font where it has one.
int titleBarWidth(const QString& caption) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(caption) + kTitleBarItems * metrics.height() * 3 / 2;
}

void widenForCaption(QDialog& box) {
    // The button box spans the whole box, so its least width is the box's
    // less the layout's margins, whatever else the box holds.
    auto* buttons = box.findChild<QDialogButtonBox*>();
    const QMargins margins = box.layout()->contentsMargins();
    buttons->setMinimumWidth(titleBarWidth(box.windowTitle()) - margins.left() - margins.right());
}

// A line edit's width that shows `text` whole.
int widthShowing(const QLineEdit& field, const QString& text) {
    QStyleOptionFrame frame;
    frame.initFrom(&field);
    const QMargins margins = field.textMargins() + field.contentsMargins();
    // 2 pixels: the room a line edit keeps on each side of its text.
    const QSize content(field.fontMetrics().horizontalAdvance(text) + margins.left() +
                            margins.right() + 2 * 2,
                        field.sizeHint().height());
    return field.style()->sizeFromContents(QStyle::CT_LineEdit, &frame, content, &field).width();
}

// A box is answered, not arranged: its title bar offers only Close. (Window
// managers such as openbox draw maximise whenever minimise is offered, even
// for a box of fixed size.)
void offerOnlyClose(QDialog& box) {
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
}

void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, displayLineBreaks(text), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    widenForCaption(box);
    offerOnlyClose(box);
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
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.sizeHint(); // lays the dialog out, which it otherwise does only when shown
    auto* field = dialog.findChild<QLineEdit*>();
    field->setMinimumWidth(widthShowing(*field, kTypicalAddress));
    widenForCaption(dialog);
    // A box of one line has nothing to gain from resizing, and a fixed size
    // tells the window manager to offer no maximise button.
    dialog.layout()->setSizeConstraint(QLayout::SetFixedSize);
    offerOnlyClose(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
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
