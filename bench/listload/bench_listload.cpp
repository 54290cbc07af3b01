// Drives the real main window offscreen through one intake command and prints
// what it took, so run.sh can set it beside external tools:
//   bench_listload load FILE   "Load Emails From Text File" with FILE chosen,
//                              up to the first painted list
//   bench_listload scroll FILE the same, then the list paged through end to end
//   bench_listload drop DIR    DIR dropped on the list as a file manager would
//   bench_listload idle        the window opened and closed: the fixed cost
#include "benchwindow.h"

#include <addresslistview.h>
#include <dialogs.h>
#include <form1.h>

#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdio>

namespace {

// Answers the open dialog with the file under test; reports go to stderr.
class BenchDialogs final : public Dialogs {
public:
    QString chosen;
    int reports = 0;

    void message(QWidget*, const QString&, const QString& text) override { report(text); }
    void warning(QWidget*, const QString&, const QString& text) override { report(text); }
    QString input(QWidget*, const QString&, const QString&) override { return {}; }
    QStringList openFiles(QWidget*, const QString&, const QString&) override { return {chosen}; }
    QString folder(QWidget*, const QString&, const QString&) override { return {}; }

private:
    void report(const QString& text) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        ++reports;
    }
};

double elapsedMs(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

// Paints the list as it stands, as the screen would show it.
void paintList(Form1& window) {
    QApplication::processEvents();
    window.ListView1->viewport()->repaint();
}

void load(Form1& window, BenchDialogs& dialogs, const QString& file) {
    dialogs.chosen = file;
    QElapsedTimer timer;
    timer.start();
    window.PushButton4->click();
    const double command = elapsedMs(timer);
    paintList(window);
    std::printf("load: %d entries, %.1f ms in the command, %.1f ms to the first painted list\n",
                window.ListView1->entries().count(), command, elapsedMs(timer));
}

void scroll(Form1& window) {
    // One page at a time from the top to the bottom, every page painted.
    QScrollBar* bar = window.ListView1->verticalScrollBar();
    const int pages = 2000;
    const int step = qMax(1, bar->maximum() / pages);
    double slowest = 0;
    QElapsedTimer timer;
    timer.start();
    int painted = 0;
    for (int value = 0; value <= bar->maximum(); value += step, ++painted) {
        QElapsedTimer frame;
        frame.start();
        bar->setValue(value);
        paintList(window);
        slowest = qMax(slowest, elapsedMs(frame));
    }
    std::printf("scroll: %d pages painted, %.3f ms a page on average, slowest %.3f ms\n", painted,
                elapsedMs(timer) / painted, slowest);
}

void drop(Form1& window, const QString& folder) {
    QWidget* viewport = window.ListView1->viewport();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(folder)});
    const QPoint at = viewport->rect().center();
    QElapsedTimer timer;
    timer.start();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &dropped);
    paintList(window);
    std::printf("drop: %d entries, %.1f ms to the first painted list\n",
                window.ListView1->entries().count(), elapsedMs(timer));
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments();
    const QString mode = args.value(1);
    const bool withPath = mode == "load" || mode == "scroll" || mode == "drop";
    if (!(mode == "idle" || (withPath && args.size() == 3))) {
        std::fprintf(stderr, "usage: %s load FILE | scroll FILE | drop FOLDER | idle\n", argv[0]);
        return 2;
    }
    QTemporaryDir scratch;
    BenchDialogs dialogs;
    const std::unique_ptr<Form1> opened = OpenBenchWindow(dialogs, scratch);
    Form1& window = *opened;
    paintList(window);

    if (mode == "load" || mode == "scroll")
        load(window, dialogs, args[2]);
    if (mode == "scroll")
        scroll(window);
    if (mode == "drop")
        drop(window, args[2]);
    return dialogs.reports == 0 ? 0 : 1;
}
