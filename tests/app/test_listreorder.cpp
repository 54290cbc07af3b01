// Reordering the list by dragging an entry with the mouse.
#include "windowfixture.h"

#include <addresslistview.h>
#include <listreorder.h>

#include <QApplication>
#include <QImageWriter>
#include <QMouseEvent>
#include <QTest>

namespace {

QStringList entries(Form1& window) {
    return window.ListView1->entries().entries();
}

QPoint rowCenter(Form1& window, int row) {
    return window.ListView1->visualRect(window.ListView1->entries().index(row)).center();
}

// A pointer move over the list's rows with the given buttons held.
void moveTo(Form1& window, QPoint at, Qt::MouseButtons held = Qt::LeftButton) {
    QWidget* viewport = window.ListView1->viewport();
    QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton, held,
                     Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
}

void press(Form1& window, QPoint at) {
    QTest::mousePress(window.ListView1->viewport(), Qt::LeftButton, {}, at);
}

void release(Form1& window, QPoint at) {
    QTest::mouseRelease(window.ListView1->viewport(), Qt::LeftButton, {}, at);
}

int topRow(Form1& window) {
    return window.ListView1->rowAt(QPoint(4, 2));
}

int lastWholeRow(Form1& window) {
    AddressListView* list = window.ListView1;
    const int height = list->viewport()->height();
    int row = topRow(window);
    while (row + 1 < list->entries().count() &&
           list->visualRect(list->entries().index(row + 1)).bottom() < height)
        ++row;
    return row;
}

} // namespace

class TestListReorder : public QObject {
    Q_OBJECT
private slots:
    void movingRowByRow_carriesTheEntry_selectedAfterEachStep() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        window.ListView1->entries().append(QStringList{"a", "b", "c"});
        press(window, rowCenter(window, 0));
        moveTo(window, rowCenter(window, 1));
        QCOMPARE(entries(window), (QStringList{"b", "a", "c"}));
        QCOMPARE(window.ListView1->selectedRow(), 1);
        moveTo(window, rowCenter(window, 2));
        QCOMPARE(entries(window), (QStringList{"b", "c", "a"}));
        QCOMPARE(window.ListView1->selectedRow(), 2);
        release(window, rowCenter(window, 2));

        moveTo(window, rowCenter(window, 0), Qt::NoButton);
        QCOMPARE(entries(window), (QStringList{"b", "c", "a"}));
    }

    void oneJump_tradesOnlyTheEndRows() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        window.ListView1->entries().append(QStringList{"a", "b", "c"});
        press(window, rowCenter(window, 0));
        moveTo(window, rowCenter(window, 2));
        QCOMPARE(entries(window), (QStringList{"c", "b", "a"}));
        QCOMPARE(window.ListView1->selectedRow(), 2);
    }

    void equalTexts_andTheAreaBelowTheRows_changeNothing() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        window.ListView1->entries().append(QStringList{"a", "a", "b"});
        press(window, rowCenter(window, 0));
        moveTo(window, rowCenter(window, 1));
        moveTo(window, rowCenter(window, 2) + QPoint(0, 200));
        QCOMPARE(entries(window), (QStringList{"a", "a", "b"}));
        QCOMPARE(window.ListView1->selectedRow(), 0);
    }

    void aPressBesideTheRows_dragsNothing() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        window.ListView1->entries().append(QStringList{"a", "b", "c"});
        press(window, rowCenter(window, 0));
        release(window, rowCenter(window, 0));
        const QPoint below = rowCenter(window, 2) + QPoint(0, 200);
        press(window, below);
        moveTo(window, rowCenter(window, 1));
        QCOMPARE(entries(window), (QStringList{"a", "b", "c"}));
    }

    void scrollRule_followsFixedScreenHeights_data() {
        QTest::addColumn<int>("screenY");
        QTest::addColumn<bool>("towardsTop");
        QTest::addColumn<int>("shift");
        QTest::newRow("304 at the top row shows the row above") << 304 << true << -1;
        QTest::newRow("305 at the top row scrolls nothing") << 305 << true << 0;
        QTest::newRow("364 at the last row scrolls nothing") << 364 << false << 0;
        QTest::newRow("365 at the last row shows the row below") << 365 << false << 1;
    }

    void scrollRule_followsFixedScreenHeights() {
        QFETCH(int, screenY);
        QFETCH(bool, towardsTop);
        QFETCH(int, shift);
        WindowFixture fixture;
        Form1& window = fixture.open();
        AddressListView* list = window.ListView1;
        QStringList texts;
        for (int i = 0; i < 40; ++i)
            texts << QString::number(i);
        list->entries().append(texts);
        list->scrollTo(list->entries().index(10), QAbstractItemView::PositionAtTop);
        const int top = topRow(window);
        QCOMPARE(top, 10);
        window.findChild<ListReorder*>()->setPointerOnScreen([&] { return QPoint(50, screenY); });

        // From the neighbour onto the edge row, which trades the two.
        const int edge = towardsTop ? top : lastWholeRow(window);
        const int from = towardsTop ? edge + 1 : edge - 1;
        press(window, rowCenter(window, from));
        moveTo(window, rowCenter(window, edge));
        QCOMPARE(list->entries().text(edge), QString::number(from));
        QCOMPARE(topRow(window), top + shift);
    }

    void dragCursor_comesFromDragIco_orIsAMoveArrow_andReleaseShowsTheArrow() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        AddressListView* list = window.ListView1;
        list->entries().append(QStringList{"a", "b"});
        press(window, rowCenter(window, 0));
        QCOMPARE(list->cursor().shape(), Qt::DragMoveCursor);
        release(window, rowCenter(window, 0));
        QCOMPARE(list->cursor().shape(), Qt::ArrowCursor);

        QImage picture(32, 32, QImage::Format_ARGB32);
        picture.fill(Qt::blue);
        QVERIFY(QImageWriter(fixture.programFolder() + "/drag.ico", "ico").write(picture));
        press(window, rowCenter(window, 1));
        QCOMPARE(list->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(list->cursor().pixmap().size(), QSize(32, 32));
        release(window, rowCenter(window, 1));
        QCOMPARE(list->cursor().shape(), Qt::ArrowCursor);
    }

    void movingOverTheList_resetsThePointer_butKeepsTheHourglass() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        window.ListView1->entries().append(QStringList{"a", "b"});
        window.setPointer(Form1::kPointerCustom);
        moveTo(window, rowCenter(window, 0), Qt::NoButton);
        QCOMPARE(window.pointer(), Form1::kPointerDefault);

        window.setPointer(Form1::kPointerBusy);
        press(window, rowCenter(window, 0));
        moveTo(window, rowCenter(window, 1));
        QCOMPARE(window.pointer(), Form1::kPointerBusy);
        QCOMPARE(entries(window), (QStringList{"b", "a"})); // reordering is not refused
    }
};

QTEST_MAIN(TestListReorder)
#include "test_listreorder.moc"
