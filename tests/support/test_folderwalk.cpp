#include "fixture.h"

#include <support/failure.h>
#include <support/fileattributes.h>
#include <support/folderwalk.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using support::FileAttributes;
using support::GetSubDirectories2016;
using support::HasUnsafeChars;

namespace {

// Walks from `folders` and returns the result; each report lands in `reports`
// as "procedure at line: description".
QStringList walk(QStringList folders, QStringList* reports = nullptr) {
    GetSubDirectories2016(folders, true, [&](const QString& d, const QString& p, int line) {
        if (reports)
            reports->append(QString("%1 at %2: %3").arg(p).arg(line).arg(d));
        else
            QTest::qFail(qPrintable("unexpected report: " + d), __FILE__, __LINE__);
    });
    return folders;
}

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

} // namespace

class TestFolderWalk : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir_;
    QString root_;

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        root_ = dir_->path() + "/R/";
        QVERIFY(QDir().mkpath(root_));
    }

    void walksBreadthFirstInListingOrder_hiddenFoldersToo() {
        for (const char* path : {"B/B1", "A/A1", ".H/.H1"})
            QVERIFY(QDir().mkpath(root_ + path));
        QVERIFY(fixture::writeFile(root_ + "A/file"));

        QStringList expected{root_};
        const QStringList children = fixture::listingOrder(root_, QDir::Dirs);
        for (const QString& child : children)
            expected << root_ + child + "/";
        for (const QString& child : children)
            expected << root_ + child + "/" + child + "1/";
        QCOMPARE(walk({root_}), expected);

        // Without recursion only the first level is added.
        QStringList oneLevel{root_};
        GetSubDirectories2016(oneLevel, false, {});
        QCOMPARE(oneLevel, expected.mid(0, 4));
    }

    // Unsafe are code points below 32, 127 to 159 and "?", and a name that is
    // not UTF-8; not so 160 and above, nor characters beyond U+FFFF.
    void unsafeNames_areLeftOutWithEverythingBelow() {
        const QList<QByteArray> unsafe{"q?x", "us\x1f", "del\x7f", "apc\xC2\x9F", "not utf8 \xFF"};
        const QList<QByteArray> safe{"nbsp\xC2\xA0", "emoji \xF0\x9F\x98\x80", "bar |"};
        for (const QByteArray& name : unsafe + safe) {
            const QByteArray folder = QFile::encodeName(root_) + name;
            QVERIFY(::mkdir(folder.constData(), 0755) == 0);
            QVERIFY(::mkdir((folder + "/deep").constData(), 0755) == 0);
        }
        QStringList expected{root_};
        for (const QByteArray& name : safe)
            expected << root_ + QString::fromUtf8(name) + "/"
                     << root_ + QString::fromUtf8(name) + "/deep/";
        const QStringList result = walk({root_});
        // QTemporaryDir cannot remove a name that is not UTF-8.
        const QByteArray notUtf8 = QFile::encodeName(root_) + unsafe.last();
        ::rmdir((notUtf8 + "/deep").constData());
        ::rmdir(notUtf8.constData());
        QCOMPARE(sorted(result), sorted(expected));
        // Names the walk cannot meet, for callers of its own.
        QVERIFY(HasUnsafeChars(QString(QChar(0xD800))));
        QVERIFY(HasUnsafeChars(QFile::decodeName("a\xFF")));
    }

    void attributesAreComputed() {
        QVERIFY(QDir().mkpath(root_ + ".dotdir"));
        QVERIFY(fixture::writeFile(root_ + "file"));
        QVERIFY(fixture::writeFile(root_ + ".dotfile"));
        QVERIFY(QFile::link(root_ + ".dotdir", root_ + "dirlink"));
        QVERIFY(QFile::link(root_ + "file", root_ + "filelink"));
        QVERIFY(QFile::link(root_ + "gone", root_ + "dangling"));
        QCOMPARE(FileAttributes(root_), 16);
        QCOMPARE(FileAttributes(root_ + ".dotdir/"), 18);
        QCOMPARE(FileAttributes(root_ + "file"), 32);
        QCOMPARE(FileAttributes(root_ + ".dotfile"), 34);
        QCOMPARE(FileAttributes(root_ + "dirlink/"), 1040);
        QCOMPARE(FileAttributes(root_ + "filelink"), 1056);
        QCOMPARE(FileAttributes(root_ + "dangling"), 1024);
        QVERIFY_THROWS_EXCEPTION(support::Failure, FileAttributes(root_ + "missing"));
    }

    void linkLoops_areWalkedOnce() {
        for (const char* folder : {"A", "B", "../outside"})
            QVERIFY(QDir().mkpath(root_ + folder));
        QVERIFY(QFile::link("..", root_ + "A/up"));
        QVERIFY(QFile::link(".", root_ + "B/self"));
        QVERIFY(QFile::link("../A", root_ + "B/toA"));
        QVERIFY(QFile::link("../outside", root_ + "out"));
        const QStringList result = walk({root_});
        QCOMPARE(result.first(), root_);
        QCOMPARE(sorted(result), sorted({root_, root_ + "A/", root_ + "B/", root_ + "out/"}));
    }

    void deniedSubFolder_isRemoved() {
        QVERIFY(QDir().mkpath(root_ + "open/inner"));
        QVERIFY(QDir().mkpath(root_ + "shut/inner"));
        QVERIFY(fixture::setMode(dir_->path(), 0755));
        QVERIFY(fixture::setMode(root_ + "shut", 0));
        const QStringList result = fixture::runUnprivileged([&] { return walk({root_}); });
        QVERIFY(fixture::setMode(root_ + "shut", 0755));
        QCOMPARE(result, (QStringList{root_, root_ + "open/", root_ + "open/inner/"}));
    }

    void folderGoneDuringEvents_isReportedAndRemoved() {
        QVERIFY(QDir().mkpath(root_ + "A"));
        // The first time the walk lets events run, a handler removes the folder.
        QMetaObject::invokeMethod(
            qApp, [this] { QDir(root_ + "A").removeRecursively(); }, Qt::QueuedConnection);
        QStringList reports;
        QCOMPARE(walk({root_ + "A/"}, &reports), QStringList());
        QCOMPARE(reports.size(), 1);
        const QString where = "Marrowtide2021/08/31.AddFolder.GetSubDirectories2016 at 106: ";
        QVERIFY2(reports[0].startsWith(where) && reports[0].contains(root_ + "A"),
                 qPrintable(reports[0]));
    }

    void foldersThatCannotBeWalked_stayButAreNotEntered() {
        const QString longPath = root_ + QString(250, u'x') + "/";
        QVERIFY(QDir().mkpath(longPath + "below"));
        QVERIFY(fixture::writeFile(root_ + "plain"));
        QCOMPARE(walk({longPath, root_ + "plain"}), (QStringList{longPath, root_ + "plain"}));
    }
};

QTEST_GUILESS_MAIN(TestFolderWalk)
#include "test_folderwalk.moc"
