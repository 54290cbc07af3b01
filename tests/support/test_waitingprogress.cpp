#include <support/waitingprogress.h>

#include <QTest>

using support::WaitingCaption;
using support::WaitingValue;

Q_DECLARE_METATYPE(QList<double>)

class TestWaitingProgress : public QObject {
    Q_OBJECT
private slots:
    void value_stepsThenStopsAtLimit_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<double>>("expected"); // at ticks 50, 200, 350, ...
        QTest::newRow("ten items, from 10")
            << 10 << 10 << QList<double>{10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 19, 19};
        QTest::newRow("four items, step 2.5 rounds to 2")
            << 4 << 25 << QList<double>{25, 27, 29, 31, 33, 35, 37, 39, 41, 43, 45, 47, 48, 48};
        QTest::newRow("one item") << 1 << 0
                                  << QList<double>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 90};
        QTest::newRow("200 items, step 0") << 200 << 0 << QList<double>{0, 0, 0};
        QTest::newRow("zero items counts as one") << 0 << 0 << QList<double>{0, 10, 20};
    }
    void value_stepsThenStopsAtLimit() {
        QFETCH(int, count);
        QFETCH(int, start);
        QFETCH(QList<double>, expected);
        QList<double> values;
        for (int step = 0; step < expected.size(); ++step)
            values.append(WaitingValue(50 + 150 * step, start, count).value_or(-1));
        QCOMPARE(values, expected);
        for (const qint64 tick : {1, 49, 51, 199, 201})
            QVERIFY2(!WaitingValue(tick, start, count), qPrintable(QString::number(tick)));
    }

    // The counting itself is seen by the long run of RunAndWait's test.
    void caption_countsFromTheFiftiethTick() {
        QVERIFY(!WaitingCaption("Processing: a@b.c", 49));
        QCOMPARE(*WaitingCaption("Processing: a@b.c", 50), "Processing: a@b.c, Please wait.. 0");
        QCOMPARE(*WaitingCaption(QString(), 50), "Please wait.. 0");
    }
};

QTEST_GUILESS_MAIN(TestWaitingProgress)
#include "test_waitingprogress.moc"
