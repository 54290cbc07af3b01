// Where the tools and the text file live during a run.
#include <support/failure.h>
#include <tempfolder.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t modeOf(const QString& path) {
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

void setMode(const QString& path, mode_t mode) {
    QVERIFY(::chmod(QFile::encodeName(path).constData(), mode) == 0);
}

} // namespace

class TestTempFolder : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        qunsetenv("TEMP");
        runtime_ = dir_->filePath("runtime");
        QDir().mkpath(runtime_);
        setMode(runtime_, 0700);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_));
        qputenv("TMPDIR", QFile::encodeName(dir_->filePath("tmp")));
        QDir().mkpath(dir_->filePath("tmp"));
    }

    void temp_isUsedUnchanged() {
        qputenv("TEMP", "/some/where/");
        QCOMPARE(TemporaryFolder(), QString("/some/where/"));
    }

    void withoutTemp_aPrivateFolderIsMade_andUsedAgain() {
        const QString folder = TemporaryFolder();
        QCOMPARE(folder, runtime_ + "/orvanta");
        QCOMPARE(modeOf(folder), mode_t(0700));
        QCOMPARE(TemporaryFolder(), folder);
    }

    void runtimeFolderOpenToOthers_fallsBackToTheSystemTemporaryFolder() {
        setMode(runtime_, 0755);
        QCOMPARE(TemporaryFolder(),
                 dir_->filePath("tmp") + "/orvanta-" + QString::number(::geteuid()));
        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(TemporaryFolder(),
                 dir_->filePath("tmp") + "/orvanta-" + QString::number(::geteuid()));
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
        const QString folder = runtime_ + "/orvanta";
        if (kind == "link") {
            QVERIFY(QFile::link(dir_->path(), folder));
        } else if (kind == "file") {
            QVERIFY(QFile(folder).open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QDir().mkdir(folder));
            setMode(folder, kind == "open" ? 0755 : 0700);
            if (kind == "foreign")
                QVERIFY(::chown(QFile::encodeName(folder).constData(), 65534, 65534) == 0);
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
    std::unique_ptr<QTemporaryDir> dir_;
    QString runtime_;
};

QTEST_MAIN(TestTempFolder)
#include "test_tempfolder.moc"
