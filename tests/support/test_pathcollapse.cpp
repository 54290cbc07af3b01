#include <support/pathcollapse.h>

#include <QTest>

using support::CollapseBackslashes;

class TestPathCollapse : public QObject {
    Q_OBJECT
private slots:
    void collapses_data() {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("collapsed");
        // Windows paths are written with '/' for readability and checked with
        // '\'; there '|' stands for a real '/'.
        QTest::newRow("\\ drive root join") << "\\"
                                            << "C://a.txt"
                                            << "C:/a.txt";
        QTest::newRow("\\ run of three inside") << "\\"
                                                << "C:/x///y"
                                                << "C:/x//y";
        QTest::newRow("\\ run of four inside") << "\\"
                                               << "C:/x////y"
                                               << "C:/x//y";
        QTest::newRow("\\ network path") << "\\"
                                         << "//server//share/a"
                                         << "//server/share/a";
        QTest::newRow("\\ many leading") << "\\"
                                         << "/////server/a"
                                         << "//server/a";
        QTest::newRow("\\ one leading becomes two") << "\\"
                                                    << "/server"
                                                    << "//server";
        QTest::newRow("\\ only separators") << "\\"
                                            << "///"
                                            << "//";
        QTest::newRow("\\ slash left alone") << "\\"
                                             << "a||b"
                                             << "a||b";

        QTest::newRow("/ folder join") << "/"
                                       << "/home/u//list.txt"
                                       << "/home/u/list.txt";
        QTest::newRow("/ root join") << "/"
                                     << "//a.txt"
                                     << "/a.txt";
        QTest::newRow("/ many leading") << "/"
                                        << "////a//b"
                                        << "/a/b";
        QTest::newRow("/ run of three inside") << "/"
                                               << "a///b"
                                               << "a//b";
        QTest::newRow("/ relative untouched") << "/"
                                              << "a/b"
                                              << "a/b";
        QTest::newRow("/ empty") << "/"
                                 << ""
                                 << "";
    }
    void collapses() {
        QFETCH(QString, separator);
        QFETCH(QString, path);
        QFETCH(QString, collapsed);
        const QChar sep = separator.at(0);
        if (sep == u'\\') {
            path.replace(u'/', u'\\').replace(u'|', u'/');
            collapsed.replace(u'/', u'\\').replace(u'|', u'/');
        }
        QCOMPARE(CollapseBackslashes(path, sep), collapsed);
    }
};

QTEST_GUILESS_MAIN(TestPathCollapse)
#include "test_pathcollapse.moc"
