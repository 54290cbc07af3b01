// File and path utilities on real files in a temporary folder.
#include "fixture.h"

#include <support/fileutils.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace support;
using fixture::contents;

class TestFileUtils : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString at(const QString& name) const { return dir.filePath(name); }

private slots:
    void quietTests_answerFalseForWhatIsNotThere() {
        QVERIFY(fixture::writeFile(at("file.txt")));
        QVERIFY(QFile::link("nowhere", at("dangling")));
        QVERIFY(FileExists(at("file.txt")));
        QVERIFY(FileExists(dir.path())); // folders exist too
        QVERIFY(!FileExists(""));
        QVERIFY(!FileExists(at("file.txt/below"))); // a file where a folder should be
        QVERIFY(!FileExists(at("dangling")));
        QVERIFY(IsDirectory(dir.path() + "/"));
        QVERIFY(!IsDirectory(at("file.txt")));
        QVERIFY(!IsDirectory(""));
    }

    void fileNameOf_takesThePartAfterTheLastSeparator() {
        QCOMPARE(FileNameOf("/home/ann/list.txt"), QString("list.txt"));
        QCOMPARE(FileNameOf("ann@example.com"), QString("ann@example.com"));
        QCOMPARE(FileNameOf("/home/ann/"), QString(""));
        QCOMPARE(FileNameOf("a/b\\c", u'\\'), QString("c"));
    }

    void desktopFolder_isTheHomeFolderOnAnAccountWithoutOne_andEndsWithOneSeparator() {
        const QByteArray home = qgetenv("HOME");
        const QByteArray config = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(at("home")));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(at("home/.config"))); // no user-dirs.dirs
        QVERIFY(QDir().mkpath(at("home")));
        const QString without = DesktopFolder();
        QVERIFY(QDir().mkpath(at("home/Desktop")));
        const QString with = DesktopFolder();
        qputenv("HOME", home);
        qputenv("XDG_CONFIG_HOME", config);
        QCOMPARE(without, at("home") + "/");
        QCOMPARE(with, at("home/Desktop") + "/");

        const QString desktop = DesktopFolder();
        const QString buffer = SpecialFolderBuffer(0);
        QCOMPARE(buffer.size(), 512);
        QCOMPARE(buffer.indexOf(QChar(0)), desktop.size() - 1);
        QVERIFY(SpecialFolderBuffer(5).isEmpty());
    }

    void writeBytesIfMissing_writesNewFilesWhole_leavesExistingOnes_followsNoLink() {
        const QByteArray tool("\177ELF\0binary\r\n", 13);
        WriteBytesIfMissing(tool, at("TXT2PNG.exe"), 0700);
        WriteBytesIfMissing("other bytes", at("TXT2PNG.exe"));
        QCOMPARE(contents(at("TXT2PNG.exe")), tool);
        struct stat st;
        QCOMPARE(::stat(QFile::encodeName(at("TXT2PNG.exe")).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0700u);
        // Nothing but the finished file is left in the folder.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter("TXT2PNG"),
                 QStringList{"TXT2PNG.exe"});

        const QString missing =
            fixture::failureOf([&] { WriteBytesIfMissing("x", at("no/such/t.exe")); });
        QVERIFY2(missing.contains(at("no/such/t.exe")), qPrintable(missing));
        QVERIFY(QFile::link(at("target.exe"), at("link.exe")));
        QVERIFY(!fixture::failureOf([&] { WriteBytesIfMissing("x", at("link.exe")); }).isEmpty());
        QVERIFY(!QFile::exists(at("target.exe")));
    }

    void writeTextFile_writesUtf8AndCrLf_replacingAnyOldFile_butNoLink() {
        QVERIFY(fixture::writeFile(at("emails.txt"), "an old and much longer content"));
        const QString text = QStringLiteral("a@x.org\r\njürgen@bücher.de");
        WriteTextFile(text, at("emails.txt"));
        const QByteArray written = text.toUtf8() + "\r\n";
        QCOMPARE(contents(at("emails.txt")), written);
        WriteTextFile("", at("empty.txt"));
        QCOMPARE(contents(at("empty.txt")), QByteArray("\r\n"));

        QVERIFY(QFile::link(at("emails.txt"), at("trap.txt")));
        const QString linked = fixture::failureOf([&] { WriteTextFile("evil", at("trap.txt")); });
        QVERIFY2(linked.contains("symbolic link"), qPrintable(linked));
        QCOMPARE(contents(at("emails.txt")), written);
        QVERIFY(
            !fixture::failureOf([&] { WriteTextFile("x", at("nofolder/emails.txt")); }).isEmpty());

        // Neither waits on a pipe nobody reads nor writes into a device.
        QVERIFY(::mkfifo(QFile::encodeName(at("pipe.txt")), 0666) == 0);
        const QString piped = fixture::failureOf([&] { WriteTextFile("x", at("pipe.txt")); });
        QVERIFY2(piped.contains("named pipe"), qPrintable(piped));
        const QString device =
            fixture::failureOf([&] { WriteTextFile("x", QStringLiteral("/dev/null")); });
        QVERIFY2(device.contains("not a regular file"), qPrintable(device));
    }

    void removeFile_deletesWhatItCan_andNeverFails() {
        QVERIFY(fixture::writeFile(at("gone.exe")));
        RemoveFile(at("gone.exe"));
        QVERIFY(!QFile::exists(at("gone.exe")));
        RemoveFile(at("never-there"));
        RemoveFile(QString());
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        RemoveFile(at("folder"));
        QVERIFY(IsDirectory(at("folder")));
    }
};

QTEST_GUILESS_MAIN(TestFileUtils)
#include "test_fileutils.moc"
