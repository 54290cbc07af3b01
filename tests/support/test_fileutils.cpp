#include <support/fileutils.h>

#include <QTest>

class TestFileUtils : public QObject {
    Q_OBJECT
private slots:
    void fileNameOf() { QCOMPARE(support::FileNameOf("a/b"), QString("b")); }
};

QTEST_GUILESS_MAIN(TestFileUtils)
#include "test_fileutils.moc"
