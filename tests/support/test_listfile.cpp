#include "fixture.h"

#include <support/listfile.h>

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using support::LoadListFile;

namespace {

// Everything one LoadListFile call did: the batches appended, the messages
// shown, the failure thrown.
struct LoadResult {
    QList<QStringList> batches;
    QStringList messages;
    QString failure;
};

LoadResult load(const QString& path) {
    LoadResult result;
    result.failure = fixture::failureOf([&] {
        LoadListFile(
            path, [&](support::EntryList entries) { result.batches.append(entries.texts()); },
            [&](const QString& message) { result.messages.append(message); });
    });
    return result;
}

void row(const char* name, const QByteArray& bytes, const QStringList& entries) {
    QTest::newRow(name) << bytes << entries;
}

// `text` as a Windows tool saves "Unicode" text: with a byte-order mark.
QByteArray marked(QStringConverter::Encoding encoding, const QString& text) {
    return QStringEncoder(encoding, QStringConverter::Flag::WriteBom).encode(text);
}

} // namespace

class TestListFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void entriesFollowLineEnds_inTheFilesEncoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("entries");
        row("CR LF", "a\r\nb\r\n", {"a", "b"});
        row("CR, ending in CR", "a\rb\r", {"a", "b"});
        row("LF, ending in LF", "a\nb\n", {"a", "b"});
        row("blank LF line between and at the end", "a\n\nb\n\n", {"a", "", "b", ""});
        row("blank line between CR LF lines", "a\r\n\r\nb\r\n", {"a", "", "b"});
        row("LF before a CR LF line end", "a\n\r\nb", {"a", "", "b"});
        row("mixed ends", "a\rb\nc\r\nd", {"a", "b", "c", "d"});
        row("nothing trimmed", "  a@x.org \t\r\n", {"  a@x.org \t"});
        row("empty file", "", {});
        row("lone LF", "\n", {""});
        row("UTF-8 with a byte-order mark", "\xEF\xBB\xBFjos\xC3\xA9\r\nb", {u"josé"_qs, "b"});
        row("UTF-8 beyond the BMP", "\xF0\x9F\x98\x80@x.org", {u"😀@x.org"_qs});
        row("Windows-1252, 0x81 kept", "jos\xE9\r\n\x80\x93\x9F\x81",
            {u"josé"_qs, u"€“Ÿ\u0081"_qs});
        row("Windows-1252 only on a later line", "a\r\nb\xE9", {"a", u"bé"_qs});
        row("a mark on a later line is kept", "a\r\n\xEF\xBB\xBF!", {"a", u"\ufeff!"_qs});
        row("byte-order mark, then not UTF-8", "\xEF\xBB\xBFjos\xE9", {u"josé"_qs});
        const QString wide = u"josé\r\n😀@x.org\nb\r"_qs;
        const QStringList wideEntries{u"josé"_qs, u"😀@x.org"_qs, "b"};
        row("UTF-16LE", marked(QStringConverter::Utf16LE, wide), wideEntries);
        row("UTF-16BE", marked(QStringConverter::Utf16BE, wide), wideEntries);
        row("UTF-32LE, whose mark starts like UTF-16LE's", marked(QStringConverter::Utf32LE, wide),
            wideEntries);
        row("UTF-32BE", marked(QStringConverter::Utf32BE, wide), wideEntries);
        // Files of a few mebibytes, with a CR LF pair and then a character
        // astride the first two mebibyte boundaries, where a reading in
        // chunks cuts them apart.
        const QByteArray a(1 << 20, 'a');
        const QByteArray cutAtTheEnd = a.chopped(1), cutBeforeTheEnd = a.chopped(2);
        row("long UTF-8", cutAtTheEnd + "\r\n" + cutBeforeTheEnd + "\xC3\xA9\r\n",
            {cutAtTheEnd, cutBeforeTheEnd + u"é"_qs});
        row("long, Windows-1252 only in the second mebibyte",
            cutAtTheEnd + "\r\n" + cutBeforeTheEnd + "\xE9",
            {cutAtTheEnd, cutBeforeTheEnd + u"é"_qs});
        const QString wideLine(a.size() / 2 - 2, u'a'); // after a mark of two bytes
        row("long UTF-16",
            marked(QStringConverter::Utf16LE, wideLine + "\r\n" + wideLine + u"😀\r\n😀"_qs),
            {wideLine, wideLine + u"😀"_qs, u"😀"_qs});
    }
    void entriesFollowLineEnds_inTheFilesEncoding() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, entries);
        const QString path = dir_.filePath(QTest::currentDataTag());
        QVERIFY(fixture::writeFile(path, bytes));
        const int descriptorsBefore = fixture::openDescriptorCount();
        const LoadResult result = load(path);
        QCOMPARE(result.messages, QStringList());
        QCOMPARE(result.batches, QList<QStringList>{entries});
        QCOMPARE(fixture::openDescriptorCount(), descriptorsBefore);
    }

    void missingFile_showsFileNotFoundAndAppendsNothing() {
        const LoadResult result = load(dir_.filePath("missing.txt"));
        QCOMPARE(result.messages, QStringList{"File not found"});
        QVERIFY(result.batches.isEmpty());
    }

    void unreadableFile_throwsAppendsNothingAndClosesIt() {
        const QString folder = dir_.filePath("a folder.txt");
        QVERIFY(QDir().mkpath(folder));
        const int descriptorsBefore = fixture::openDescriptorCount();
        const LoadResult result = load(folder);
        QVERIFY2(result.failure.contains(folder) && result.failure.contains("folder"),
                 qPrintable(result.failure));
        QVERIFY(result.batches.isEmpty());
        QCOMPARE(fixture::openDescriptorCount(), descriptorsBefore);
    }
};

QTEST_GUILESS_MAIN(TestListFile)
#include "test_listfile.moc"
