// Where the tools and the text file live during a run.
#include <support/failure.h>
#include <tempfolder.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

class TestTempFolder : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(path("runtime")) && QDir().mkpath(path("tmp")));
        QVERIFY(::chmod(native("runtime").constData(), 0700) == 0);
        qunsetenv("TEMP");
        qputenv("XDG_RUNTIME_DIR", native("runtime"));
        qputenv("TMPDIR", native("tmp"));
    }

    void folder_isTempOrAPrivateOneOfTheUsers_data() {
        QTest::addColumn<QString>("temp");
        QTest::addColumn<int>("runtimeMode");  // 0: no runtime folder
        QTest::addColumn<QString>("expected"); // below the test's folder unless absolute
        const QString fallback = "tmp/orvanta-" + QString::number(::geteuid());
        QTest::newRow("TEMP is used unchanged") << "/some/where/" << 0700 << "/some/where/";
        QTest::newRow("private runtime folder") << "" << 0700 << "runtime/orvanta";
        QTest::newRow("runtime folder open to others") << "" << 0755 << fallback;
        QTest::newRow("no runtime folder") << "" << 0 << fallback;
    }
    void folder_isTempOrAPrivateOneOfTheUsers() {
        QFETCH(QString, temp);
        QFETCH(int, runtimeMode);
        QFETCH(QString, expected);
        if (!temp.isEmpty())
            qputenv("TEMP", temp.toUtf8());
        if (runtimeMode == 0)
            qunsetenv("XDG_RUNTIME_DIR");
        else
            QVERIFY(::chmod(native("runtime").constData(), runtimeMode) == 0);
        const QString folder = expected.startsWith(u'/') ? expected : path(expected);
        QCOMPARE(TemporaryFolder(), folder);
        QCOMPARE(TemporaryFolder(), folder); // and again once it is made
        struct stat st;
        if (temp.isEmpty())
            QVERIFY(::lstat(QFile::encodeName(folder).constData(), &st) == 0 &&
                    (st.st_mode & 07777) == 0700);
    }

    void folderThatIsNotPrivate_isRefused_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("problem");
        QTest::newRow("symbolic link") << "link"
                                       << "it is a symbolic link";
        QTest::newRow("file") << "file"
                              << "it is not a folder";
        QTest::newRow("open to others") << "open"
                                        << "other users can enter it (mode 0755)";
        QTest::newRow("another user's") << "foreign"
                                        << "it belongs to another user";
    }
    void folderThatIsNotPrivate_isRefused() {
        QFETCH(QString, kind);
        QFETCH(QString, problem);
        const QString folder = path("runtime/orvanta");
        if (kind == "link") {
            QVERIFY(QFile::link(dir_->path(), folder));
        } else if (kind == "file") {
            QVERIFY(QFile(folder).open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QDir().mkdir(folder));
            QVERIFY(::chmod(native("runtime/orvanta").constData(), kind == "open" ? 0755 : 0700) ==
                    0);
            if (kind == "foreign")
                QVERIFY(::chown(native("runtime/orvanta").constData(), 65534, 65534) == 0);
        }
        try {
            TemporaryFolder();
            QFAIL("a folder that is not private was used");
        } catch (const support::Failure& failure) {
            QVERIFY2(failure.description().contains("is not private: " + problem),
                     qPrintable(failure.description()));
        }
    }

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    QByteArray native(const QString& name) const { return QFile::encodeName(path(name)); }

    std::unique_ptr<QTemporaryDir> dir_;
};

QTEST_MAIN(TestTempFolder)
#include "test_tempfolder.moc"
