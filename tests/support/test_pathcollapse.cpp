#include <support/pathcollapse.h>

#include <QTest>

using support::CollapseBackslashes;

namespace {

// Windows paths are written with '/' for readability and turned into '\'
// here; '|' stands for a real '/' in them.
void row(const char* name, char16_t separator, QString path, QString collapsed) {
    if (separator == u'\\') {
        path.replace(u'/', u'\\').replace(u'|', u'/');
        collapsed.replace(u'/', u'\\').replace(u'|', u'/');
    }
    QTest::newRow(name) << QChar(separator) << path << collapsed;
}

} // namespace

class TestPathCollapse : public QObject {
    Q_OBJECT
private slots:
    void collapses_data() {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("collapsed");
        row("\\ drive root join", u'\\', "C://a.txt", "C:/a.txt");
        row("\\ run of three inside", u'\\', "C:/x///y", "C:/x//y");
        row("\\ run of four inside", u'\\', "C:/x////y", "C:/x//y");
        row("\\ network path", u'\\', "//server//share/a", "//server/share/a");
        row("\\ many leading", u'\\', "/////server/a", "//server/a");
        row("\\ one leading becomes two", u'\\', "/server", "//server");
        row("\\ only separators", u'\\', "///", "//");
        row("\\ slash left alone", u'\\', "a||b", "a||b");
        row("/ folder join", u'/', "/home/u//list.txt", "/home/u/list.txt");
        row("/ root join", u'/', "//a.txt", "/a.txt");
        row("/ many leading", u'/', "////a//b", "/a/b");
        row("/ run of three inside", u'/', "a///b", "a//b");
        row("/ relative untouched", u'/', "a/b", "a/b");
        row("/ empty", u'/', "", "");
    }
    void collapses() {
        QFETCH(QChar, separator);
        QFETCH(QString, path);
        QFETCH(QString, collapsed);
        QCOMPARE(CollapseBackslashes(path, separator), collapsed);
    }
};

QTEST_GUILESS_MAIN(TestPathCollapse)
#include "test_pathcollapse.moc"
