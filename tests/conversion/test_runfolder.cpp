// Each run works in a folder of its own; what killed runs left is cleared
// by a later run, and nothing else is touched.
#include "convertonce.h"

#include <conversion/conversion.h>
#include <conversion/runfolder.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QStringList entriesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// A folder as a run leaves it: mode 0700 and the files in it.
bool makeFolder(const QString& path, const QStringList& files) {
    if (!QDir().mkpath(path) || ::chmod(QFile::encodeName(path), 0700) != 0)
        return false;
    for (const QString& name : files)
        if (!QFile(path + u'/' + name).open(QIODevice::WriteOnly))
            return false;
    return true;
}

} // namespace

class TestRunFolder : public QObject {
    Q_OBJECT
private slots:
    void deadRunsFolders_areRemoved_liveOnesAndOthersKept() {
        QTemporaryDir dir;
        const QString base = dir.filePath("shared"), victim = dir.filePath("victim");
        QVERIFY(QDir().mkpath(base) && ::chmod(QFile::encodeName(base), 01777) == 0);
        conversion::RunFolder live;
        live.open(base);
        // Killed mid-run: its lock is free; killed before it took one, an hour ago.
        QVERIFY(makeFolder(base + "/orvanta-run-dead01", {"lock", "TXT2PNG.exe", "emails.txt"}));
        QVERIFY(makeFolder(base + "/orvanta-run-stale1", {"TXT2JPG.exe"}));
        const struct timespec anHourAgo[2] = {{::time(nullptr) - 3600, 0},
                                              {::time(nullptr) - 3600, 0}};
        QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(base + "/orvanta-run-stale1"), anHourAgo,
                            0) == 0);
        // A run just starting, another user's folder and a link to one of ours.
        QVERIFY(makeFolder(base + "/orvanta-run-fresh1", {}));
        QVERIFY(makeFolder(base + "/orvanta-run-other1", {"lock"}));
        if (::geteuid() == 0) // an ordinary user's own folder stands in for another's
            QVERIFY(::chown(QFile::encodeName(base + "/orvanta-run-other1"), 65534, 65534) == 0);
        else
            QVERIFY(::chmod(QFile::encodeName(base + "/orvanta-run-other1"), 0755) == 0);
        QVERIFY(makeFolder(victim, {"lock", "precious"}));
        QVERIFY(QFile::link(victim, base + "/orvanta-run-link01"));

        conversion::RunFolder next;
        next.open(base);

        const QString liveName = QFileInfo(live.path()).fileName(),
                      nextName = QFileInfo(next.path()).fileName();
        QStringList expected{liveName, nextName, "orvanta-run-fresh1", "orvanta-run-other1",
                             "orvanta-run-link01"};
        QStringList found = entriesIn(base);
        found.sort();
        expected.sort();
        QCOMPARE(found, expected);
        QCOMPARE(entriesIn(live.path()), QStringList{"lock"});
        QCOMPARE(entriesIn(victim), (QStringList{"lock", "precious"}));
        struct stat st;
        QVERIFY(::stat(QFile::encodeName(next.path()), &st) == 0 && (st.st_mode & 07777) == 0700);

        live.close();
        next.close();
        QCOMPARE(entriesIn(base).size(), 3);
    }

    // Runs starting together in one TEMP (make -j8 over a site): each one's
    // sweep may find the others' fresh folders, and none may take a live
    // one for dead.
    void parallelStarts_neverMeet() {
        QTemporaryDir dir;
        constexpr int kPrograms = 8, kRuns = 150;
        QList<pid_t> programs;
        for (int p = 0; p < kPrograms; ++p) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                int failed = 0;
                for (int run = 0; run < kRuns; ++run) {
                    try {
                        conversion::RunFolder folder;
                        folder.open(dir.path());
                        const int fd = ::openat(folder.descriptor(), "emails.txt",
                                                O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
                        failed += fd < 0;
                        if (fd >= 0)
                            ::close(fd);
                    } catch (...) {
                        ++failed;
                    }
                }
                ::_exit(failed == 0 ? 0 : 1);
            }
            programs << pid;
        }
        for (const pid_t pid : programs) {
            int status = -1;
            QCOMPARE(::waitpid(pid, &status, 0), pid);
            QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        QCOMPARE(entriesIn(dir.path()), QStringList());
    }

    // Another user who can rename entries in TEMP moves the run's folder
    // aside and puts a link to a folder of theirs in its place, with a
    // converter of their own: the run goes on in its own folder.
    void renamedRunFolder_cannotRedirectTheRun() {
        QTemporaryDir dir;
        const QString temp = dir.filePath("temp"), theirs = dir.filePath("theirs"),
                      out = dir.filePath("out");
        QVERIFY(QDir().mkpath(temp) && QDir().mkpath(theirs) && QDir().mkpath(out));
        QFile impostor(theirs + "/TXT2PNG.exe");
        QVERIFY(impostor.open(QIODevice::WriteOnly));
        impostor.write("#!/bin/sh\ncp \"$1\" \"$0.read\"\n: > \"$2\"\n");
        impostor.close();
        QVERIFY(::chmod(QFile::encodeName(impostor.fileName()), 0755) == 0);
        qputenv("TEMP", QFile::encodeName(temp));

        conversion::Conversion run;
        run.open();
        run.putTool(conversion::kPngTool, run.toolBytes(conversion::kPngTool));
        const QString folder = temp + u'/' + entriesIn(temp).value(0);
        QVERIFY(QFile::rename(folder, dir.filePath("aside")));
        QVERIFY(QFile::link(theirs, folder));
        const std::optional<QString> notMade =
            ConvertOnce(run, conversion::kPngTool, "a@b.c", out, "a@b.c");
        QCOMPARE(notMade, std::nullopt);
        QFile image(out + "/a@b.c.png");
        QVERIFY(image.open(QIODevice::ReadOnly) && image.read(4) == "\x89PNG");
        QCOMPARE(entriesIn(theirs), QStringList{"TXT2PNG.exe"});
        run.close();
        QVERIFY(!QFileInfo::exists(dir.filePath("aside")));
        QCOMPARE(entriesIn(theirs), QStringList{"TXT2PNG.exe"});
        qunsetenv("TEMP");
    }

    // A relative TEMP names another folder once the program has changed
    // directory: the run's folder is still the one removed.
    void relativeBase_afterChangeOfDirectory_leavesNothing() {
        QTemporaryDir dir;
        const QString previous = QDir::currentPath();
        QVERIFY(QDir().mkpath(dir.filePath("temp")) &&
                QDir().mkpath(dir.filePath("elsewhere/temp")));
        QVERIFY(QDir::setCurrent(dir.path()));
        conversion::RunFolder folder;
        folder.open("temp");
        QVERIFY(QDir::setCurrent(dir.filePath("elsewhere")));
        folder.close();
        QVERIFY(QDir::setCurrent(previous));
        QCOMPARE(entriesIn(dir.filePath("temp")), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestRunFolder)
#include "test_runfolder.moc"
