#include "fixture.h"

#include <support/dropintake.h>
#include <support/folderfiles.h>
#include <support/folderlisting.h>

#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>

using support::DroppedFolderFiles;
namespace {

// The names ForEachOpenableFile gives for `folder`, as a drop takes them.
QStringList ListFolderFiles(const QString& folder, const QString& pattern) {
    const support::FolderListing listing(folder.endsWith(u'/') ? folder : folder + u'/');
    QStringList names;
    support::ForEachOpenableFile(listing, pattern,
                                 [&](const support::ListedFile& file) { names.append(file.name); });
    return names;
}

QStringList dropFolder(const QString& folder) {
    return DroppedFolderFiles(folder, [](const QString& description, const QString&, int) {
        QTest::qFail(qPrintable("unexpected report: " + description), __FILE__, __LINE__);
    });
}

} // namespace

class TestDropIntake : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir_;
    QString base_;

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        base_ = dir_->path() + "/D";
        QVERIFY(QDir().mkpath(base_));
        QVERIFY(fixture::setMode(dir_->path(), 0755)); // for the unprivileged runs
    }

    void listFolderFiles_keepsOpenableFilesOnly() {
        QCOMPARE(ListFolderFiles(base_, "*.*"), QStringList());
        for (const char* name : {"a.txt", ".hidden", "no extension"})
            QVERIFY(fixture::writeFile(base_ + "/" + name));
        QVERIFY(::mkfifo(QFile::encodeName(base_ + "/pipe").constData(), 0644) == 0);
        QVERIFY(QDir().mkpath(base_ + "/sub.txt"));
        QVERIFY(QFile::link(base_ + "/sub.txt", base_ + "/folderlink"));
        QVERIFY(QFile::link(base_ + "/gone", base_ + "/dangling"));
        const QByteArray notUtf8 = QFile::encodeName(base_) + "/bad\xFF";
        QVERIFY(::close(::creat(notUtf8.constData(), 0644)) == 0);

        QStringList expected = fixture::listingOrder(base_, QDir::Files | QDir::System);
        for (const QString& name : {"dangling", "bad\uFFFD"})
            expected.removeOne(name);
        QVERIFY(expected.contains("pipe")); // looked at without opening, so it cannot block
        QCOMPARE(ListFolderFiles(base_ + "/", "*.*"), expected);
        QCOMPARE(ListFolderFiles(base_, "*.txt"), QStringList{"a.txt"});
        QCOMPARE(ListFolderFiles(base_ + "/missing", "*.*"), QStringList());
        ::unlink(notUtf8.constData()); // QTemporaryDir cannot remove a name that is not UTF-8
    }

    void folderListableButNotSearchable_hasNoOpenableFiles() {
        QVERIFY(fixture::writeFile(base_ + "/a.txt"));
        QVERIFY(fixture::setMode(base_, 0444));
        const QStringList result =
            fixture::runUnprivileged([&] { return ListFolderFiles(base_, "*.*"); });
        QVERIFY(fixture::setMode(base_, 0755));
        QCOMPARE(result, QStringList());
    }

    // Run as a user whom permissions stop: a hidden file that user cannot
    // write is read-only, 35 and not exactly 34, so it is taken; so is a
    // hidden link, which is no plain file either.
    void droppedFolder_skipsLockHiddenAndUnopenableFiles() {
        for (const char* name : {"a.txt", "~$notes.txt", ".hidden", ".readonly"})
            QVERIFY(fixture::writeFile(base_ + "/" + name));
        QVERIFY(fixture::setMode(base_ + "/.hidden", 0666));
        QVERIFY(fixture::setMode(base_ + "/.readonly", 0444));
        QVERIFY(QFile::link(base_ + "/gone", base_ + "/dangling"));
        QVERIFY(QFile::link(base_ + "/a.txt", base_ + "/.link"));
        for (const char* folder : {"sub", ".cache"}) {
            QVERIFY(QDir().mkpath(base_ + "/" + folder));
            QVERIFY(fixture::writeFile(base_ + "/" + folder + "/in " + folder));
        }

        QStringList expected;
        for (const QString& name : fixture::listingOrder(base_, QDir::Files))
            if (name == "a.txt" || name == ".link" || name == ".readonly")
                expected << base_ + "/" + name;
        for (const QString& folder : fixture::listingOrder(base_, QDir::Dirs))
            expected << base_ + "/" + folder + "/in " + folder;
        QCOMPARE(
            fixture::runUnprivileged([&] { return dropFolder(base_) + dropFolder(base_ + "//"); }),
            expected + expected);
    }
};

QTEST_GUILESS_MAIN(TestDropIntake)
#include "test_dropintake.moc"
