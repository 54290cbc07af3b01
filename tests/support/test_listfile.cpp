#include <support/failure.h>
#include <support/listfile.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using support::LoadListFile;

namespace {

int openDescriptorCount() {
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::System).size();
}

// Everything one LoadListFile call did: the batches appended, the messages shown.
struct LoadResult {
    QList<QStringList> batches;
    QStringList messages;
};

LoadResult load(const QString& path) {
    LoadResult result;
    LoadListFile(
        path, [&](QStringList entries) { result.batches.append(entries); },
        [&](const QString& message) { result.messages.append(message); });
    return result;
}

} // namespace

class TestListFile : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void entriesFollowLineEnds_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("CR LF") << QByteArray("a@x.org\r\nb@x.org\r\n")
                               << QStringList{"a@x.org", "b@x.org"};
        QTest::newRow("LF only") << QByteArray("a@x.org\nb@x.org")
                                 << QStringList{"a@x.org", "b@x.org"};
        QTest::newRow("CR only, ending in CR")
            << QByteArray("a@x.org\rb@x.org\r") << QStringList{"a@x.org", "b@x.org"};
        QTest::newRow("LF only, ending in LF: empty last entry")
            << QByteArray("a@x.org\nb@x.org\n") << QStringList{"a@x.org", "b@x.org", ""};
        QTest::newRow("blank line between CR LF lines")
            << QByteArray("a@x.org\r\n\r\nb@x.org\r\n") << QStringList{"a@x.org", "", "b@x.org"};
        QTest::newRow("blank line between LF lines")
            << QByteArray("a@x.org\n\nb@x.org") << QStringList{"a@x.org", "", "b@x.org"};
        QTest::newRow("LF before a CR LF line end")
            << QByteArray("a@x.org\n\r\nb") << QStringList{"a@x.org", "", "b"};
        QTest::newRow("mixed ends")
            << QByteArray("a\rb\nc\r\nd") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("nothing trimmed")
            << QByteArray("  a@x.org \t\r\n") << QStringList{"  a@x.org \t"};
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("lone LF") << QByteArray("\n") << QStringList{"", ""};
    }
    void entriesFollowLineEnds() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, entries);
        const QString path = writeList(bytes);
        const LoadResult result = load(path);
        QCOMPARE(result.messages, QStringList());
        QCOMPARE(result.batches, QList<QStringList>{entries});
    }

    void textIsUtf8OrWindows1252_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("UTF-8 with a byte-order mark")
            << QByteArray("\xEF\xBB\xBFjos\xC3\xA9@x.org\r\nb@x.org\r\n")
            << QStringList{u"jos\u00e9@x.org"_qs, "b@x.org"};
        QTest::newRow("UTF-8 beyond the BMP")
            << QByteArray("\xF0\x9F\x98\x80@x.org") << QStringList{u"\U0001F600@x.org"_qs};
        QTest::newRow("Windows-1252")
            << QByteArray("jos\xE9@x.org\r\n\x80\x93\x9F\x81\r\n")
            << QStringList{u"jos\u00e9@x.org"_qs, u"\u20ac\u201c\u0178\u0081"_qs};
        QTest::newRow("Windows-1252 only on a later line")
            << QByteArray("a@x.org\r\nb\xE9@x.org") << QStringList{"a@x.org", u"b\u00e9@x.org"_qs};
        QTest::newRow("zero-width no-break space starting a later line")
            << QByteArray("a\r\n\xEF\xBB\xBF"
                          "b")
            << QStringList{"a", u"\ufeffb"_qs};
        QTest::newRow("byte-order mark, then not UTF-8") << QByteArray("\xEF\xBB\xBF"
                                                                       "caf\xE9")
                                                         << QStringList{u"caf\u00e9"_qs};
    }
    void textIsUtf8OrWindows1252() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, entries);
        QCOMPARE(load(writeList(bytes)).batches, QList<QStringList>{entries});
    }

    void missingFile_showsFileNotFoundAndAppendsNothing() {
        const LoadResult result = load(dir_.filePath("missing.txt"));
        QCOMPARE(result.messages, QStringList{"File not found"});
        QVERIFY(result.batches.isEmpty());
    }

    void unreadableFile_throwsAppendsNothingAndClosesIt() {
        const QString folder = dir_.filePath("a folder.txt");
        QVERIFY(QDir().mkpath(folder));
        const int descriptorsBefore = openDescriptorCount();
        try {
            load(folder);
            QFAIL("reading a folder as a list file must fail");
        } catch (const support::Failure& failure) {
            QVERIFY2(failure.description().contains(folder), qPrintable(failure.description()));
            QVERIFY2(failure.description().contains("folder"), qPrintable(failure.description()));
        }
        QCOMPARE(openDescriptorCount(), descriptorsBefore);

        // The next file loads normally afterwards.
        QCOMPARE(load(writeList("a@x.org")).batches, QList<QStringList>{{"a@x.org"}});
        QCOMPARE(openDescriptorCount(), descriptorsBefore);
    }

private:
    QString writeList(const QByteArray& bytes) {
        const QString path = dir_.filePath(QStringLiteral("list%1.txt").arg(++files_));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QTemporaryDir dir_;
    int files_ = 0;
};

QTEST_GUILESS_MAIN(TestListFile)
#include "test_listfile.moc"
