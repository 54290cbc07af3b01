// Each run works in a folder of its own; what killed runs left is cleared
// by a later run, and nothing else is touched.
#include <conversion/runfolder.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
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
        QVERIFY(::chown(QFile::encodeName(base + "/orvanta-run-other1"), 65534, 65534) == 0);
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
};

QTEST_GUILESS_MAIN(TestRunFolder)
#include "test_runfolder.moc"
