// The real window, shown, for a screen-reader check over AT-SPI: it does what
// each line of standard input asks, then gives a hidden marker the line as its
// accessible name. The marker's name change comes after every event the step
// sent, so the listener knows when it has heard the whole step.
//
//   type | load FILE | examples | drop FILE | remove | clear | select ROW
//   | alt up|down|home|end | drag FROM TO | progress PERCENT | anything else
#include "windowfixture.h"

#include <addresslistview.h>
#include <progressbar.h>

#include <QApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTest>
#include <QTextStream>

#include <cstdio>
#include <functional>

namespace {

void dropFile(Form1& window, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QWidget* viewport = window.ListView1->viewport();
    const QPoint at = viewport->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
}

void drag(WindowFixture& fixture, int from, int to) {
    QWidget* viewport = fixture.window().ListView1->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, fixture.rowCenter(from));
    const QPoint at = fixture.rowCenter(to);
    QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
}

int altKey(const QString& name) {
    if (name == QLatin1String("up"))
        return Qt::Key_Up;
    if (name == QLatin1String("down"))
        return Qt::Key_Down;
    return name == QLatin1String("home") ? Qt::Key_Home : Qt::Key_End;
}

void perform(WindowFixture& fixture, const QStringList& words) {
    Form1& window = fixture.window();
    // While assistive technology listens, Qt hands each key to it first and
    // delivers it when the answer comes: the step ends when the key has acted.
    const auto pressKey = [&](Qt::Key key, Qt::KeyboardModifiers modifiers,
                              const std::function<bool()>& acted) {
        QTest::keyClick(window.ListView1, key, modifiers);
        if (!QTest::qWaitFor(acted, 30000))
            std::fputs("screenreaderwindow: a key had no effect\n", stderr);
    };
    const QString step = words.value(0);
    const QString argument = words.value(1);
    if (step == QLatin1String("type")) {
        fixture.dialogs.inputAnswers << QStringLiteral("typed@example.org");
        window.PushButton1->click();
    } else if (step == QLatin1String("load")) {
        fixture.dialogs.openAnswers << QStringList{argument};
        window.PushButton4->click();
    } else if (step == QLatin1String("examples")) {
        window.PushButton10->click();
    } else if (step == QLatin1String("drop")) {
        dropFile(window, argument);
    } else if (step == QLatin1String("remove")) { // the first entry
        window.ListView1->selectRow(0);
        const int count = window.ListView1->entries().count();
        pressKey(Qt::Key_Delete, {}, [&] { return window.ListView1->entries().count() < count; });
    } else if (step == QLatin1String("clear")) {
        window.PushButton9->click();
    } else if (step == QLatin1String("select")) {
        // A screen reader hears of moves in the focused list only, and an X
        // server without a window manager may hand the focus over late.
        window.activateWindow();
        window.ListView1->setFocus();
        if (!QTest::qWaitFor([&] { return window.ListView1->hasFocus(); }))
            std::fputs("screenreaderwindow: the list did not get the focus\n", stderr);
        window.ListView1->selectRow(argument.toInt());
    } else if (step == QLatin1String("alt")) {
        const int from = window.ListView1->selectedRow();
        pressKey(Qt::Key(altKey(argument)), Qt::AltModifier,
                 [&] { return window.ListView1->selectedRow() != from; });
    } else if (step == QLatin1String("drag")) {
        drag(fixture, argument.toInt(), words.value(2).toInt());
    } else if (step == QLatin1String("progress")) {
        window.ProgressBar1->setValue(argument.toDouble());
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    WindowFixture fixture;
    Form1& window = fixture.open();
    window.show();
    QWidget marker;
    QSocketNotifier input(0, QSocketNotifier::Read);
    QTextStream lines(stdin);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        const QString line = lines.readLine();
        if (line.isNull()) {
            QApplication::quit();
            return;
        }
        perform(fixture, line.split(u' ', Qt::SkipEmptyParts));
        marker.setAccessibleName(line);
    });
    return application.exec();
}
