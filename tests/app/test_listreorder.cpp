// Reordering the list by dragging an entry with the mouse.
#include "addresslisttesting.h"
#include "windowfixture.h"

#include <listreorder.h>

#include <QApplication>
#include <QImageWriter>
#include <QMouseEvent>
#include <QTest>

namespace {

class Drag {
public:
    Drag(Form1& window, const QStringList& rows) : window_(window) {
        window.ListView1->entries().append(rows);
    }
    Drag& press(int row) { return press(rowCenter(window_, row)); }
    Drag& press(QPoint at) {
        QTest::mousePress(viewport(), Qt::LeftButton, {}, at);
        held_ = Qt::LeftButton;
        return *this;
    }
    Drag& moveTo(int row) { return moveTo(rowCenter(window_, row)); }
    Drag& moveTo(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, viewport()->mapToGlobal(at), Qt::NoButton, held_,
                         Qt::NoModifier);
        QApplication::sendEvent(viewport(), &move);
        return *this;
    }
    Drag& release() {
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, QPoint(1, 1));
        held_ = Qt::NoButton;
        return *this;
    }
    QPoint belowTheRows() const { return QPoint(20, viewport()->height() - 2); }

private:
    QWidget* viewport() const { return window_.ListView1->viewport(); }
    Form1& window_;
    Qt::MouseButtons held_;
};

int topRow(Form1& window) {
    return window.ListView1->rowAt(QPoint(4, 2));
}

int lastWholeRow(Form1& window) {
    AddressListView* list = window.ListView1;
    int row = topRow(window);
    while (row + 1 < list->entries().count() &&
           list->visualRect(list->entries().index(row + 1)).bottom() < list->viewport()->height())
        ++row;
    return row;
}

} // namespace

class TestListReorder : public QObject {
    Q_OBJECT
private slots:
    void theDraggedEntry_tradesPlacesWithEachRowMovedOnto() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        Drag drag(window, {"a", "b", "c"});
        drag.press(0).moveTo(1);
        QCOMPARE(entries(window), (QStringList{"b", "a", "c"}));
        QCOMPARE(window.ListView1->selectedRow(), 1);
        drag.moveTo(2).release().moveTo(0);
        QCOMPARE(entries(window), (QStringList{"b", "c", "a"}));
        QCOMPARE(window.ListView1->selectedRow(), 2);

        // A jump over rows trades the two end rows only.
        drag.press(0).moveTo(2).release();
        QCOMPARE(entries(window), (QStringList{"a", "c", "b"}));
    }

    void equalTexts_theAreaBelow_andAPressBesideTheRows_moveNothing() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        Drag drag(window, {"a", "a", "b"});
        drag.press(0).moveTo(1).moveTo(drag.belowTheRows()).release();
        QCOMPARE(entries(window), (QStringList{"a", "a", "b"}));
        QCOMPARE(window.ListView1->selectedRow(), 0);
        drag.press(drag.belowTheRows()).moveTo(2).release();
        QCOMPARE(entries(window), (QStringList{"a", "a", "b"}));
    }

    void scrollRule_followsFixedScreenHeights_data() {
        QTest::addColumn<int>("screenY");
        QTest::addColumn<bool>("ontoTopRow");
        QTest::addColumn<int>("shift");
        QTest::newRow("304 onto the top row shows the row above") << 304 << true << -1;
        QTest::newRow("305 onto the top row scrolls nothing") << 305 << true << 0;
        QTest::newRow("364 onto the last row scrolls nothing") << 364 << false << 0;
        QTest::newRow("365 onto the last row shows the row below") << 365 << false << 1;
    }

    void scrollRule_followsFixedScreenHeights() {
        QFETCH(int, screenY);
        QFETCH(bool, ontoTopRow);
        QFETCH(int, shift);
        WindowFixture fixture;
        Form1& window = fixture.open();
        QStringList rows;
        for (int i = 0; i < 40; ++i)
            rows << QString::number(i);
        Drag drag(window, rows);
        AddressListView* list = window.ListView1;
        list->scrollTo(list->entries().index(10), QAbstractItemView::PositionAtTop);
        window.findChild<ListReorder*>()->setPointerOnScreen([&] { return QPoint(50, screenY); });

        const int top = topRow(window);
        const int onto = ontoTopRow ? top : lastWholeRow(window);
        const int from = ontoTopRow ? onto + 1 : onto - 1;
        drag.press(from).moveTo(onto);
        QCOMPARE(list->entries().text(onto), QString::number(from));
        QCOMPARE(topRow(window), top + shift);
    }

    void dragCursor_isDragIco_orAMoveArrow_andReleaseShowsTheArrow() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        Drag drag(window, {"a", "b"});
        drag.press(0);
        QCOMPARE(window.ListView1->cursor().shape(), Qt::DragMoveCursor);
        drag.release();
        QCOMPARE(window.ListView1->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(writeTestFile(fixture.programFolder() + "/drag.ico", "not a picture"));
        drag.press(0);
        QCOMPARE(window.ListView1->cursor().shape(), Qt::DragMoveCursor);
        drag.release();

        QImage picture(32, 32, QImage::Format_ARGB32);
        picture.fill(Qt::blue);
        QVERIFY(QImageWriter(fixture.programFolder() + "/drag.ico", "ico").write(picture));
        drag.press(1);
        QCOMPARE(window.ListView1->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(window.ListView1->cursor().pixmap().size(), QSize(32, 32));
    }
};

QTEST_MAIN(TestListReorder)
#include "test_listreorder.moc"
