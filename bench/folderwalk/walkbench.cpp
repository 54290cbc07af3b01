// Runs one intake routine the way the window does, without a window, and
// prints how many entries it produced and how long the routine took (process
// start-up and clean-up left out):
//   walkbench drop FOLDER   the drop of one folder (walk, listing, skip rules)
//   walkbench load FILE     reading one list file into a batch of entries
#include <support/dropintake.h>
#include <support/listfile.h>

#include <QElapsedTimer>
#include <QString>

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s drop FOLDER | load FILE\n", argv[0]);
        return 2;
    }
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString path = QString::fromLocal8Bit(argv[2]);
    int failures = 0;
    const auto report = [&](const QString& description) {
        std::fprintf(stderr, "%s\n", qPrintable(description));
        ++failures;
    };

    qsizetype entries = 0;
    QElapsedTimer timer;
    timer.start();
    try {
        if (mode == QLatin1String("drop")) {
            const auto reportStep = [&](const QString& description, const QString&, int) {
                report(description);
            };
            entries = support::DroppedFolderFiles(path, reportStep).size();
        } else if (mode == QLatin1String("load")) {
            support::LoadListFile(
                path, [&](support::EntryList batch) { entries = batch.size(); }, report);
        } else {
            std::fprintf(stderr, "unknown mode %s\n", argv[1]);
            return 2;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    const qint64 elapsed = timer.elapsed();
    std::printf("%lld entries in %lld ms\n", static_cast<long long>(entries),
                static_cast<long long>(elapsed));
    return failures == 0 ? 0 : 1;
}
