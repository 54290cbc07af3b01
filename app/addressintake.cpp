#include "addressintake.h"

#include "addresslistview.h"
#include "dialogs.h"
#include "form1.h"

#include <support/listfile.h>
#include <support/pathcollapse.h>

#include <QKeyEvent>
#include <QPushButton>

namespace {

const QString kAddPrompt = QStringLiteral("Enter email address to add: ");
const QString kLoadTitle = QStringLiteral("Load List(s) - Hold Ctrl to select multiple list files");
const QString kListFilter = QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*|");
// Reserved example domains: they can never reach a real mailbox.
const QString kExamples[] = {QStringLiteral("jane.doe@example.com"),
                             QStringLiteral("john.smith@example.org"),
                             QStringLiteral("info@example.net")};

} // namespace

AddressIntake::AddressIntake(Form1& form) : QObject(&form), form_(form) {
    connect(form.PushButton1, &QPushButton::clicked, this, &AddressIntake::PushButton1_Click);
    connect(form.PushButton10, &QPushButton::clicked, this, &AddressIntake::PushButton10_Click);
    connect(form.PushButton4, &QPushButton::clicked, this, &AddressIntake::PushButton4_Click);
    connect(form.PushButton9, &QPushButton::clicked, this, &AddressIntake::PushButton9_Click);
    // Delete reaches the list itself, a double-click its rows area.
    form.ListView1->installEventFilter(this);
    form.ListView1->viewport()->installEventFilter(this);
}

void AddressIntake::PushButton1_Click() {
    support::StepTrap step = form_.trap(QStringLiteral("PushButton1_Click"));
    QString answer;

    step(100,
         [&] { answer = form_.dialogs().input(&form_, form_.applicationTitle(), kAddPrompt); });
    if (step.test(102, [&] { return answer.isEmpty(); }))
        return; // nothing typed, or cancelled
    // Several lines pasted at once are several entries, as in a list file.
    step(104, [&] { form_.ListView1->entries().append(support::SplitListText(answer)); });
}

void AddressIntake::PushButton10_Click() {
    support::StepTrap step = form_.trap(QStringLiteral("PushButton10_Click"));
    AddressListModel& list = form_.ListView1->entries();

    step(100, [&] { list.append(kExamples[0]); });
    step(102, [&] { list.append(kExamples[1]); });
    step(104, [&] { list.append(kExamples[2]); });
}

void AddressIntake::PushButton4_Click() {
    support::StepTrap step = form_.trap(QStringLiteral("PushButton4_Click"));
    QStringList parts; // nothing on Cancel, one full path, or a folder and names

    step(100, [&] { parts = form_.dialogs().openFiles(&form_, kLoadTitle, kListFilter); });
    const bool wasBusy = form_.isBusy();
    step(102, [&] { form_.setPointer(Form1::kPointerBusy); });
    if (parts.size() == 1)
        step(104, [&] { loadListFile(parts.first()); });
    for (qsizetype i = 1; i < parts.size(); ++i) // a root folder already ends in "/"
        step(106, [&] { loadListFile(support::CollapseBackslashes(parts[0] + u'/' + parts[i])); });
    step(108, [&] { endBusyState(wasBusy); });
}

void AddressIntake::loadListFiles(const QStringList& paths) {
    support::StepTrap step = form_.trap(QStringLiteral("PushButton4_Click"));

    const bool wasBusy = form_.isBusy();
    step(102, [&] { form_.setPointer(Form1::kPointerBusy); });
    for (const QString& path : paths)
        step(104, [&] { loadListFile(path); });
    step(108, [&] { endBusyState(wasBusy); });
}

void AddressIntake::endBusyState(bool wasBusy) {
    // A load in the middle of a run leaves the busy state to the run that set
    // it; lifted here, it would let "Clear List" empty the list under the run.
    if (!wasBusy)
        form_.setPointer(Form1::kPointerDefault);
}

void AddressIntake::PushButton9_Click() {
    support::StepTrap step = form_.trap(QStringLiteral("PushButton9_Click"));

    step(100, [&] {
        if (!form_.isBusy())
            form_.ListView1->entries().clear();
    });
}

void AddressIntake::loadListFile(const QString& path) {
    AddressListView* list = form_.ListView1;
    support::LoadListFile(
        path, [list](support::EntryList entries) { list->appendEntries(std::move(entries)); },
        [this](const QString& message) { form_.showMessage(message); });
}

void AddressIntake::removeSelectedEntry() {
    if (form_.isBusy())
        return;
    form_.ListView1->entries().remove(form_.ListView1->selectedRow());
}

bool AddressIntake::eventFilter(QObject* watched, QEvent* event) {
    if (watched == form_.ListView1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        removeSelectedEntry(); // Shift, Ctrl and Alt make no difference
        return true;
    }
    if (watched == form_.ListView1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        removeSelectedEntry();
        return true; // the view's own double-click would select the row moved up
    }
    return QObject::eventFilter(watched, event);
}
