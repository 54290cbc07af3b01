// Where the tools and the text file live during a run.
#include <support/failure.h>
#include <conversion/tempfolder.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

class TestTempFolder : public QObject {
    Q_OBJECT
private slots:
    void folder_isTemp_orAPrivateOneOfTheUsers_orRefused_data() {
        QTest::addColumn<QString>("setUp");
        // The folder used (below the test's folder unless absolute), or why it is refused.
        QTest::addColumn<QString>("expected");
        const QString fallback = "tmp/orvanta-" + QString::number(::geteuid());
        QTest::newRow("TEMP is used unchanged") << "TEMP"
                                                << "/some/where/";
        QTest::newRow("private runtime folder") << ""
                                                << "runtime/orvanta";
        QTest::newRow("runtime folder open to others") << "open runtime" << fallback;
        QTest::newRow("no runtime folder") << "no runtime" << fallback;
        QTest::newRow("symbolic link") << "link"
                                       << "is not private: it is a symbolic link";
        QTest::newRow("file") << "file"
                              << "is not private: it is not a folder";
        QTest::newRow("open to others") << "open"
                                        << "is not private: other users can enter it (mode 0755)";
        QTest::newRow("another user's") << "foreign"
                                        << "is not private: it belongs to another user";
    }
    void folder_isTemp_orAPrivateOneOfTheUsers_orRefused() {
        QFETCH(QString, setUp);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const auto native = [&](const char* name) { return QFile::encodeName(dir.filePath(name)); };
        QVERIFY(QDir().mkpath(dir.filePath("runtime")) && QDir().mkpath(dir.filePath("tmp")));
        QVERIFY(::chmod(native("runtime"), setUp == "open runtime" ? 0755 : 0700) == 0);
        qputenv("XDG_RUNTIME_DIR", native("runtime"));
        qputenv("TMPDIR", native("tmp"));
        qunsetenv("TEMP");
        if (setUp == "TEMP")
            qputenv("TEMP", expected.toUtf8());
        if (setUp == "no runtime")
            qunsetenv("XDG_RUNTIME_DIR");
        const QString made = dir.filePath("runtime/orvanta");
        if (setUp == "link")
            QVERIFY(QFile::link(dir.path(), made));
        if (setUp == "file")
            QVERIFY(QFile(made).open(QIODevice::WriteOnly));
        if (setUp == "open" || setUp == "foreign")
            QVERIFY(QDir().mkdir(made) &&
                    ::chmod(native("runtime/orvanta"), setUp == "open" ? 0755 : 0700) == 0);
        if (setUp == "foreign")
            QVERIFY(::chown(native("runtime/orvanta"), 65534, 65534) == 0);

        try {
            const QString folder = conversion::TemporaryFolder();
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
    }
};

QTEST_MAIN(TestTempFolder)
#include "test_tempfolder.moc"
