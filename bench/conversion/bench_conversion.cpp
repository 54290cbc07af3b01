// A conversion run on the real window: the list filled from a file, the
// output folder set, per-address mode and the chosen format, one click on
// "Start Converting To Image". Prints the time from the click to "Done." and
// the closing message when it is anything else, and the processor time the
// program itself spent in the run apart from that of the converters.
//
//   bench_conversion <address list> <output folder> [png|jpg]
//
// Offscreen unless QT_QPA_PLATFORM says otherwise (run it under a display to
// watch). TEMP is used as the program uses it.
#include "benchwindow.h"

#include <addresslistview.h>
#include <dialogs.h>
#include <form1.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace {

// Answers nothing and remembers the last plain message with its time.
class QuietDialogs final : public Dialogs {
public:
    QElapsedTimer clock;
    qint64 messageAt = -1;
    QString lastMessage;

    void message(QWidget*, const QString&, const QString& text) override {
        messageAt = clock.nsecsElapsed();
        lastMessage = text;
    }
    void warning(QWidget*, const QString&, const QString& text) override {
        std::fprintf(stderr, "error box: %s\n", qPrintable(text));
    }
    QString input(QWidget*, const QString&, const QString&) override { return {}; }
    QStringList openFiles(QWidget*, const QString&, const QString&) override { return {}; }
    QString folder(QWidget*, const QString&, const QString&) override { return {}; }
};

QStringList readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        std::exit(2);
    }
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

double processorSeconds(int who) {
    struct rusage usage;
    ::getrusage(who, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <address list> <output folder> [png|jpg]\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList addresses = readLines(QString::fromLocal8Bit(argv[1]));
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const bool png = argc < 4 || qstrcmp(argv[3], "jpg") != 0;

    QTemporaryDir scratch;
    QuietDialogs dialogs;
    const std::unique_ptr<Form1> opened = OpenBenchWindow(dialogs, scratch);
    Form1& window = *opened;
    window.ListView1->entries().append(addresses);
    window.Text1->setText(folder);
    window.Option1->setChecked(true);
    (png ? window.Option4 : window.Option3)->setChecked(true);
    QApplication::processEvents();

    const double ownBefore = processorSeconds(RUSAGE_SELF);
    dialogs.clock.start();
    window.PushButton2->click();
    std::printf("%lld addresses, click to closing message: %.1f ms, processor time: program "
                "%.1f ms, converters %.1f ms\n",
                static_cast<long long>(addresses.size()), dialogs.messageAt / 1e6,
                (processorSeconds(RUSAGE_SELF) - ownBefore) * 1e3,
                processorSeconds(RUSAGE_CHILDREN) * 1e3);
    if (dialogs.lastMessage != QLatin1String("Done.")) {
        std::printf("%s\n", qPrintable(dialogs.lastMessage));
        return 1;
    }
    return 0;
}
