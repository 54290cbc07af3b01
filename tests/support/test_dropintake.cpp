#include "folderfixture.h"

#include <support/dropintake.h>
#include <support/folderfiles.h>

#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using support::DroppedFolderFiles;
using support::IsOpenableFile;
using support::ListFolderFiles;

namespace {

QStringList dropFolder(const QString& folder) {
    return DroppedFolderFiles(folder, [](const QString& description, const QString&, int) {
        QTest::qFail(qPrintable("unexpected report: " + description), __FILE__, __LINE__);
    });
}

} // namespace

class TestDropIntake : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dir_.reset(new QTemporaryDir);
        QVERIFY(dir_->isValid());
        base_ = dir_->path() + "/D";
        QVERIFY(fixture::makeFolder(base_));
    }

    void isOpenableFile() {
        QVERIFY(fixture::writeFile(base_ + "/file"));
        QVERIFY(::mkfifo(QFile::encodeName(base_ + "/pipe").constData(), 0644) == 0);
        QVERIFY(QFile::link(base_ + "/gone", base_ + "/dangling"));
        QVERIFY(IsOpenableFile(base_ + "/file"));
        QVERIFY(IsOpenableFile(base_ + "/pipe")); // must not block either
        QVERIFY(!IsOpenableFile(base_));
        QVERIFY(!IsOpenableFile(base_ + "/missing"));
        QVERIFY(!IsOpenableFile(base_ + "/dangling"));
        QVERIFY(!IsOpenableFile(QString()));
    }

    void listFolderFiles_returnsOpenableFilesOnly() {
        QCOMPARE(ListFolderFiles(base_, "*.*"), QStringList());

        for (const char* name : {"a.txt", ".hidden", "b.csv", "no extension"})
            QVERIFY(fixture::writeFile(base_ + "/" + name));
        QVERIFY(fixture::makeFolder(base_ + "/sub.txt"));
        QVERIFY(QFile::link(base_ + "/sub.txt", base_ + "/folderlink"));
        QVERIFY(QFile::link(base_ + "/gone", base_ + "/dangling"));
        const QByteArray notUtf8 = QFile::encodeName(base_) + "/bad\xFF";
        QVERIFY(::close(::creat(notUtf8.constData(), 0644)) == 0);

        QStringList expected = fixture::listingOrder(base_, QDir::Files);
        for (const QString& name : {"folderlink", "dangling", "bad\uFFFD"})
            expected.removeOne(name);
        QCOMPARE(ListFolderFiles(base_ + "/", "*.*"), expected);
        QCOMPARE(ListFolderFiles(base_, "*.txt"), QStringList{"a.txt"});
        QCOMPARE(ListFolderFiles(base_ + "/missing", "*.*"), QStringList());
        ::unlink(notUtf8.constData()); // QTemporaryDir cannot remove a name that is not UTF-8
    }

    void folderListableButNotSearchable_hasNoOpenableFiles() {
        QVERIFY(fixture::writeFile(base_ + "/a.txt"));
        QVERIFY(::chmod(QFile::encodeName(dir_->path()).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(base_).constData(), 0444) == 0);
        const QStringList result =
            fixture::runUnprivileged([&] { return ListFolderFiles(base_, "*.*"); });
        ::chmod(QFile::encodeName(base_).constData(), 0755);
        QCOMPARE(result, QStringList());
    }

    void droppedFolder_skipsLockHiddenAndUnopenableFiles() {
        QVERIFY(fixture::writeFile(base_ + "/a.txt"));
        QVERIFY(fixture::writeFile(base_ + "/~$notes.txt"));
        QVERIFY(fixture::writeFile(base_ + "/.hidden"));
        QVERIFY(QFile::link(base_ + "/gone", base_ + "/dangling"));
        QVERIFY(QFile::link(base_ + "/a.txt", base_ + "/.link"));
        for (const char* folder : {"sub", ".cache"}) {
            QVERIFY(fixture::makeFolder(base_ + "/" + folder));
            QVERIFY(fixture::writeFile(base_ + "/" + folder + "/in " + folder));
        }

        // ".link" is hidden but a link, not value 34, so it is taken.
        QStringList expected;
        for (const QString& name : fixture::listingOrder(base_, QDir::Files))
            if (name == "a.txt" || name == ".link")
                expected << base_ + "/" + name;
        for (const QString& folder : fixture::listingOrder(base_, QDir::Dirs))
            expected << base_ + "/" + folder + "/in " + folder;
        QCOMPARE(dropFolder(base_), expected);
        QCOMPARE(dropFolder(base_ + "//"), expected);
    }

    void hiddenReadOnlyFile_isTaken() {
        // Not writable by the user makes it read-only: 35, not exactly 34.
        QVERIFY(fixture::writeFile(base_ + "/.readonly"));
        QVERIFY(fixture::writeFile(base_ + "/.writable"));
        QVERIFY(::chmod(QFile::encodeName(dir_->path()).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(base_ + "/.readonly").constData(), 0444) == 0);
        QVERIFY(::chmod(QFile::encodeName(base_ + "/.writable").constData(), 0666) == 0);
        QCOMPARE(fixture::runUnprivileged([&] { return dropFolder(base_); }),
                 QStringList{base_ + "/.readonly"});
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString base_;
};

QTEST_GUILESS_MAIN(TestDropIntake)
#include "test_dropintake.moc"
