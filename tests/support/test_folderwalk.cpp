#include "folderfixture.h"

#include <support/failure.h>
#include <support/fileattributes.h>
#include <support/folderwalk.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using support::GetSubDirectories2016;
using support::HasUnsafeChars;

namespace {

const QString kProcedure = QStringLiteral("Marrowtide2021/08/31.AddFolder.GetSubDirectories2016");

struct Report {
    QString description;
    QString procedure;
    int line;
};

// Walks from `folders` and returns the result; every report lands in `reports`.
QStringList walk(QStringList folders, QList<Report>* reports = nullptr) {
    GetSubDirectories2016(folders, true, [&](const QString& d, const QString& p, int line) {
        if (reports)
            reports->append({d, p, line});
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
private slots:
    void init() {
        dir_.reset(new QTemporaryDir);
        QVERIFY(dir_->isValid());
        root_ = dir_->path() + "/R/";
    }

    void walksBreadthFirstInListingOrder() {
        for (const char* path : {"B/B1", "A/A1"})
            QVERIFY(fixture::makeFolder(root_ + path));
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
        QCOMPARE(oneLevel, expected.mid(0, 3));
    }

    void unsafeNames_areLeftOutWithEverythingBelow() {
        const QList<QByteArray> unsafe{"q?x", "tab\tname", "del\x7f", "nel\xC2\x85",
                                       "not utf8 \xFF"};
        const QList<QByteArray> safe{"ok", "caf\xC3\xA9", "nbsp\xC2\xA0", "bar |"};
        QVERIFY(fixture::makeFolder(root_));
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
    }

    void hasUnsafeChars_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("unsafe");
        QTest::newRow("plain") << "mail lists" << false;
        QTest::newRow("code 31") << "a\x1f" << true;
        QTest::newRow("code 127") << "a\x7f" << true;
        QTest::newRow("code 159") << u"a\u009f"_qs << true;
        QTest::newRow("code 160") << u"a\u00a0"_qs << false;
        QTest::newRow("question mark") << "what?" << true;
        QTest::newRow("beyond U+FFFF") << u"\U0001F600"_qs << false;
        QTest::newRow("unpaired surrogate") << QString(QChar(0xD800)) << true;
        QTest::newRow("undecodable byte") << QFile::decodeName("a\xFF") << true;
    }
    void hasUnsafeChars() {
        QFETCH(QString, name);
        QFETCH(bool, unsafe);
        QCOMPARE(HasUnsafeChars(name), unsafe);
    }

    void hiddenFoldersAreWalked() {
        QVERIFY(fixture::makeFolder(root_ + ".hidden/inner"));
        QCOMPARE(support::FileAttributes(root_ + ".hidden/"), 18);
        QCOMPARE(walk({root_}), (QStringList{root_, root_ + ".hidden/", root_ + ".hidden/inner/"}));
    }

    void attributesAreComputed() {
        QVERIFY(fixture::makeFolder(root_ + "dir"));
        QVERIFY(fixture::writeFile(root_ + "file"));
        QVERIFY(fixture::writeFile(root_ + ".dotfile"));
        QVERIFY(QFile::link(root_ + "dir", root_ + "dirlink"));
        QVERIFY(QFile::link(root_ + "file", root_ + "filelink"));
        QVERIFY(QFile::link(root_ + "gone", root_ + "dangling"));
        QCOMPARE(support::FileAttributes(root_ + "dir"), 16);
        QCOMPARE(support::FileAttributes(root_ + "file"), 32);
        QCOMPARE(support::FileAttributes(root_ + ".dotfile"), 34);
        QCOMPARE(support::FileAttributes(root_ + "dirlink/"), 1040);
        QCOMPARE(support::FileAttributes(root_ + "filelink"), 1056);
        QCOMPARE(support::FileAttributes(root_ + "dangling"), 1024);
        QVERIFY_THROWS_EXCEPTION(support::Failure, support::FileAttributes(root_ + "missing"));
    }

    void linkLoops_areWalkedOnce() {
        QVERIFY(fixture::makeFolder(root_ + "A"));
        QVERIFY(fixture::makeFolder(root_ + "B"));
        QVERIFY(fixture::makeFolder(dir_->path() + "/outside"));
        QVERIFY(QFile::link("..", root_ + "A/up"));
        QVERIFY(QFile::link(".", root_ + "B/self"));
        QVERIFY(QFile::link("../A", root_ + "B/toA"));
        QVERIFY(QFile::link("../outside", root_ + "out"));

        const QStringList result = walk({root_});
        QCOMPARE(result.first(), root_);
        QCOMPARE(sorted(result), sorted({root_, root_ + "A/", root_ + "B/", root_ + "out/"}));
    }

    void deniedSubFolder_isRemoved() {
        QVERIFY(fixture::makeFolder(root_ + "open/inner"));
        QVERIFY(fixture::makeFolder(root_ + "shut/inner"));
        QVERIFY(::chmod(QFile::encodeName(dir_->path()).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(root_ + "shut").constData(), 0) == 0);

        const QStringList result = fixture::runUnprivileged([&] { return walk({root_}); });
        ::chmod(QFile::encodeName(root_ + "shut").constData(), 0755);
        QCOMPARE(result, (QStringList{root_, root_ + "open/", root_ + "open/inner/"}));
    }

    void folderGoneDuringEvents_isReportedAndRemoved() {
        QVERIFY(fixture::makeFolder(root_ + "A"));
        // The first time the walk lets events run, a handler removes the folder.
        QMetaObject::invokeMethod(
            qApp, [this] { QDir(root_ + "A").removeRecursively(); }, Qt::QueuedConnection);

        QList<Report> reports;
        QCOMPARE(walk({root_ + "A/"}, &reports), QStringList());
        QCOMPARE(reports.size(), 1);
        QCOMPARE(reports[0].procedure, kProcedure);
        QCOMPARE(reports[0].line, 106);
        QVERIFY2(reports[0].description.contains(root_ + "A"), qPrintable(reports[0].description));
    }

    void foldersThatCannotBeWalked_stayButAreNotEntered() {
        const QString longPath = root_ + QString(250, u'x') + "/";
        QVERIFY(fixture::makeFolder(longPath + "below"));
        QVERIFY(fixture::writeFile(root_ + "plain"));
        QCOMPARE(walk({longPath, root_ + "plain"}), (QStringList{longPath, root_ + "plain"}));
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString root_;
};

QTEST_GUILESS_MAIN(TestFolderWalk)
#include "test_folderwalk.moc"
