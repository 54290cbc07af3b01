// File and path utilities on real files in a temporary folder.
#include <support/failure.h>
#include <support/fileutils.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace support;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString throwsWith(const std::function<void()>& action) {
    try {
        action();
    } catch (const Failure& failure) {
        return failure.description();
    }
    return {};
}

} // namespace

class TestFileUtils : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString at(const QString& name) const { return dir.filePath(name); }

private slots:
    void quietTests_answerFalseForWhatIsNotThere() {
        writeFile(at("file.txt"), "x");
        QVERIFY(FileExists(at("file.txt")));
        QVERIFY(FileExists(dir.path())); // folders exist too
        QVERIFY(!FileExists(""));
        QVERIFY(!FileExists(at("missing")));
        QVERIFY(!FileExists(at("file.txt/below"))); // a file where a folder should be
        QVERIFY(IsDirectory(dir.path()));
        QVERIFY(IsDirectory(dir.path() + "/"));
        QVERIFY(!IsDirectory(at("file.txt")));
        QVERIFY(!IsDirectory(""));
        QVERIFY(::symlink("nowhere", at("dangling").toLocal8Bit()) == 0);
        QVERIFY(!FileExists(at("dangling")));
    }

    void fileNameOf_takesThePartAfterTheLastSeparator() {
        QCOMPARE(FileNameOf("/home/ann/list.txt"), QString("list.txt"));
        QCOMPARE(FileNameOf("name"), QString("name"));
        QCOMPARE(FileNameOf("/home/ann/"), QString(""));
        QCOMPARE(FileNameOf("ann@example.com"), QString("ann@example.com"));
        QCOMPARE(FileNameOf("C:\\lists\\mail.txt", u'\\'), QString("mail.txt"));
        QCOMPARE(FileNameOf("a/b\\c", u'\\'), QString("c"));
    }

    void desktopFolder_endsWithExactlyOneSeparator() {
        const QString desktop = DesktopFolder();
        QCOMPARE(desktop,
                 QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + "/");
        QVERIFY(!desktop.endsWith("//"));
        const QString buffer = SpecialFolderBuffer(0);
        QCOMPARE(buffer.size(), 512);
        QCOMPARE(buffer.indexOf(QChar(0)), desktop.size() - 1);
        QVERIFY(SpecialFolderBuffer(5).isEmpty());
    }

    void writeBytesIfMissing_writesNewFilesWhole_andLeavesExistingOnes() {
        const QByteArray tool("\x7f" "ELF\0binary\r\n", 13);
        WriteBytesIfMissing(tool, at("TXT2PNG.exe"), 0700);
        QCOMPARE(contents(at("TXT2PNG.exe")), tool);
        struct stat st;
        QCOMPARE(::stat(at("TXT2PNG.exe").toLocal8Bit(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0700u);

        WriteBytesIfMissing("other bytes", at("TXT2PNG.exe"));
        QCOMPARE(contents(at("TXT2PNG.exe")), tool);
        // Nothing but the finished file is left in the folder.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter("TXT2PNG"),
                 QStringList{"TXT2PNG.exe"});
    }

    void writeBytesIfMissing_failsClearly_andNeverFollowsALink() {
        const QString missing = throwsWith([&] { WriteBytesIfMissing("x", at("no/such/t.exe")); });
        QVERIFY2(missing.contains(at("no/such/t.exe")), qPrintable(missing));

        QVERIFY(::symlink(at("target.exe").toLocal8Bit(), at("link.exe").toLocal8Bit()) == 0);
        QVERIFY(!throwsWith([&] { WriteBytesIfMissing("x", at("link.exe")); }).isEmpty());
        QVERIFY(!QFile::exists(at("target.exe")));
    }

    void writeTextFile_writesUtf8AndCrLf_replacingAnyOldFile() {
        writeFile(at("emails.txt"), "an old and much longer content");
        WriteTextFile("a@x.org\r\nb@x.org\r\nc@x.org", at("emails.txt"));
        QCOMPARE(contents(at("emails.txt")), QByteArray("a@x.org\r\nb@x.org\r\nc@x.org\r\n"));
        WriteTextFile(QStringLiteral("jürgen@bücher.de"), at("emails.txt"));
        QCOMPARE(contents(at("emails.txt")), QByteArray("j\xc3\xbcrgen@b\xc3\xbc" "cher.de\r\n"));
        WriteTextFile("", at("empty.txt"));
        QCOMPARE(contents(at("empty.txt")), QByteArray("\r\n"));
    }

    void writeTextFile_refusesLinksAndMissingFolders() {
        writeFile(at("precious.txt"), "keep me");
        QVERIFY(::symlink(at("precious.txt").toLocal8Bit(), at("trap.txt").toLocal8Bit()) == 0);
        const QString linked = throwsWith([&] { WriteTextFile("evil", at("trap.txt")); });
        QVERIFY2(linked.contains("symbolic link"), qPrintable(linked));
        QCOMPARE(contents(at("precious.txt")), QByteArray("keep me"));
        QVERIFY(!throwsWith([&] { WriteTextFile("x", at("nofolder/emails.txt")); }).isEmpty());
    }

    void removeFile_deletesWhatItCan_andNeverFails() {
        writeFile(at("readonly.exe"), "x");
        QFile::setPermissions(at("readonly.exe"), QFile::ReadOwner);
        RemoveFile(at("readonly.exe"));
        QVERIFY(!QFile::exists(at("readonly.exe")));
        RemoveFile(at("never-there"));
        RemoveFile("");
        QDir(dir.path()).mkdir("folder");
        RemoveFile(at("folder"));
        QVERIFY(IsDirectory(at("folder")));
    }
};

QTEST_GUILESS_MAIN(TestFileUtils)
#include "test_fileutils.moc"
