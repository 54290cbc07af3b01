// The folder runs make their own folders in.
#include "../tmpfsmount.h"
#include "convertonce.h"

#include <conversion/conversion.h>
#include <conversion/tempfolder.h>
#include <support/failure.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <sys/stat.h>
#include <unistd.h>

class TestTempFolder : public QObject {
    Q_OBJECT
    // Each case sets these for itself; the next case, and what runs after
    // the test, get them back.
    const QList<QByteArray> variables_{"TEMP", "TMPDIR", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME"};
    QList<std::optional<QByteArray>> saved_;

private slots:
    void init() {
        saved_.clear();
        for (const QByteArray& name : variables_)
            saved_.append(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name))
                                                          : std::nullopt);
    }
    void cleanup() {
        for (qsizetype i = 0; i < variables_.size(); ++i)
            saved_[i] ? qputenv(variables_[i], *saved_[i]) : qunsetenv(variables_[i]);
    }

    void folder_isTemp_orAPrivateOneOfTheUsers_orRefused_data() {
        QTest::addColumn<QString>("setUp");
        // The folder used (below the test's folder unless absolute), or why it is refused.
        QTest::addColumn<QString>("expected");
        const QString fallback = "tmp/orvanta-" + QString::number(::geteuid());
        QTest::newRow("TEMP is used unchanged") << "TEMP"
                                                << "/some/where/";
        QTest::newRow("TEMP others can rename in") << "shared TEMP"
                                                   << "runtime/orvanta";
        QTest::newRow("private runtime folder") << ""
                                                << "runtime/orvanta";
        QTest::newRow("runtime folder open to others") << "open runtime" << fallback;
        QTest::newRow("no runtime folder") << "no runtime" << fallback;
        // Another user was there first: the next private folder is used.
        QTest::newRow("symbolic link") << "link" << fallback;
        QTest::newRow("file") << "file" << fallback;
        QTest::newRow("open to others") << "open" << fallback;
        QTest::newRow("another user's") << "foreign" << fallback;
        QTest::newRow("squatted everywhere") << "links everywhere"
                                             << "is not private: it is a symbolic link";
    }
    void folder_isTemp_orAPrivateOneOfTheUsers_orRefused() {
        QFETCH(QString, setUp);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const auto native = [&](const char* name) { return QFile::encodeName(dir.filePath(name)); };
        for (const char* folder : {"runtime", "tmp", "cache", "shared"})
            QVERIFY(QDir().mkpath(dir.filePath(folder)));
        QVERIFY(::chmod(native("runtime"), setUp == "open runtime" ? 0755 : 0700) == 0);
        QVERIFY(::chmod(native("shared"), 0777) == 0);
        qputenv("XDG_RUNTIME_DIR", native("runtime"));
        qputenv("TMPDIR", native("tmp"));
        qputenv("XDG_CACHE_HOME", native("cache"));
        qunsetenv("TEMP");
        if (setUp == "TEMP")
            qputenv("TEMP", expected.toUtf8());
        if (setUp == "shared TEMP")
            qputenv("TEMP", native("shared"));
        if (setUp == "no runtime")
            qunsetenv("XDG_RUNTIME_DIR");
        const QString made = dir.filePath("runtime/orvanta");
        if (setUp.startsWith("link"))
            QVERIFY(QFile::link(dir.path(), made));
        if (setUp == "links everywhere")
            QVERIFY(QFile::link(dir.path(), dir.filePath("tmp/orvanta-%1").arg(::geteuid())) &&
                    QFile::link(dir.path(), dir.filePath("cache/orvanta")));
        if (setUp == "file")
            QVERIFY(QFile(made).open(QIODevice::WriteOnly));
        if (setUp == "open" || setUp == "foreign")
            QVERIFY(QDir().mkdir(made) &&
                    ::chmod(native("runtime/orvanta"), setUp == "open" ? 0755 : 0700) == 0);
        if (setUp == "foreign" && ::geteuid() != 0)
            QSKIP("only root can give a folder to another user");
        if (setUp == "foreign")
            QVERIFY(::chown(native("runtime/orvanta"), 65534, 65534) == 0);

        QString passedOver;
        try {
            const QString folder = conversion::TemporaryFolder(&passedOver);
            QCOMPARE(folder, expected.startsWith(u'/') ? expected : dir.filePath(expected));
            QCOMPARE(conversion::TemporaryFolder(), folder); // and again once it is made
            struct stat st;
            QVERIFY(setUp == "TEMP" ||
                    (::lstat(QFile::encodeName(folder), &st) == 0 && (st.st_mode & 07777) == 0700));
        } catch (const support::Failure& failure) {
            QVERIFY2(expected.startsWith("is not private") &&
                         failure.description().contains(expected),
                     qPrintable(failure.description()));
        }
        QCOMPARE(passedOver.contains("no sticky bit (mode 0777)"), setUp == "shared TEMP");
    }

    // Where programs may not run in TEMP, the first private folder where they
    // may; where they may nowhere, a reason that says what to do, for every image.
    void noexecTemp_fallsBackToAPrivateFolder_orSaysToSetTemp() {
        QTemporaryDir dir;
        for (const char* name : {"temp", "runtime", "cache"})
            QVERIFY(QDir().mkpath(dir.filePath(name)));
        QVERIFY(::chmod(QFile::encodeName(dir.filePath("runtime")), 0700) == 0);
        const TmpfsMount temp(dir.filePath("temp"), MS_NOEXEC, "mode=1777");
        if (!temp.mounted())
            QSKIP("no tmpfs can be mounted here (needs root outside a locked-down container)");
        qputenv("TEMP", QFile::encodeName(dir.filePath("temp")));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.filePath("runtime")));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath("cache")));
        QCOMPARE(conversion::TemporaryFolder(), dir.filePath("runtime/orvanta"));
        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(conversion::TemporaryFolder(), dir.filePath("cache/orvanta"));

        const TmpfsMount cache(dir.filePath("cache"), MS_NOEXEC);
        QVERIFY(cache.mounted());
        conversion::Conversion run;
        QString reason;
        try {
            run.open();
        } catch (const support::Failure& failure) {
            reason = failure.description();
        }
        QVERIFY2(reason.contains("noexec") && reason.contains("Set TEMP"), qPrintable(reason));
        QCOMPARE(ConvertOnce(run, conversion::kPngTool, "a@b.c", dir.path(), "a@b.c"), reason);
        QCOMPARE(QDir(dir.filePath("temp")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }
};

QTEST_MAIN(TestTempFolder)
#include "test_tempfolder.moc"
