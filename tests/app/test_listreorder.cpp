// Reordering the list by dragging an entry with the mouse.
#include "windowfixture.h"

#include <addresslistview.h>
#include <listreorder.h>

#include <QApplication>
#include <QImageWriter>
#include <QMouseEvent>
#include <QTest>

namespace {

// The left button pressed over a row (or below the rows), moved and released.
class Drag {
public:
    static constexpr int kBelowTheRows = -1;
    Drag(WindowFixture& fixture, const QStringList& rows)
        : fixture_(fixture), viewport_(fixture.window().ListView1->viewport()) {
        fixture.window().ListView1->entries().append(rows);
    }
    Drag& press(int row) {
        QTest::mousePress(viewport_, Qt::LeftButton, {}, at(row));
        held_ = Qt::LeftButton;
        return *this;
    }
    Drag& moveTo(int row) {
        QMouseEvent move(QEvent::MouseMove, at(row), viewport_->mapToGlobal(at(row)), Qt::NoButton,
                         held_, Qt::NoModifier);
        QApplication::sendEvent(viewport_, &move);
        return *this;
    }
    Drag& release() {
        QTest::mouseRelease(viewport_, Qt::LeftButton, {}, QPoint(1, 1));
        return releaseElsewhere();
    }
    // The button comes up over a box that opened meanwhile, such as "Done."
    // at the end of a run: the list never sees the release.
    Drag& releaseElsewhere() {
        held_ = Qt::NoButton;
        return *this;
    }

private:
    QPoint at(int row) const {
        return row == kBelowTheRows ? QPoint(20, viewport_->height() - 2) : fixture_.rowCenter(row);
    }
    WindowFixture& fixture_;
    QWidget* viewport_;
    Qt::MouseButtons held_;
};

// Rows "0", "1", ..., more than the list shows at once.
QStringList numberedRows(int count) {
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows << QString::number(i);
    return rows;
}

} // namespace

class TestListReorder : public QObject {
    Q_OBJECT
private slots:
    void theDraggedEntry_tradesPlacesWithEachRowMovedOnto() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        Drag drag(fixture, {"a", "b", "c"});
        drag.press(0).moveTo(1);
        QCOMPARE(fixture.entries(), (QStringList{"b", "a", "c"}));
        QCOMPARE(window.ListView1->selectedRow(), 1);
        drag.moveTo(2).release().moveTo(0);
        QCOMPARE(fixture.entries(), (QStringList{"b", "c", "a"}));
        QCOMPARE(window.ListView1->selectedRow(), 2);

        // A jump over rows trades the two end rows only.
        drag.press(0).moveTo(2).release();
        QCOMPARE(fixture.entries(), (QStringList{"a", "c", "b"}));
    }

    void equalTexts_theAreaBelow_andAPressBesideTheRows_moveNothing() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        Drag drag(fixture, {"a", "a", "b"});
        drag.press(0).moveTo(1).moveTo(Drag::kBelowTheRows).release();
        QCOMPARE(fixture.entries(), (QStringList{"a", "a", "b"}));
        QCOMPARE(window.ListView1->selectedRow(), 0);
        drag.press(Drag::kBelowTheRows).moveTo(2).release();
        QCOMPARE(fixture.entries(), (QStringList{"a", "a", "b"}));
    }

    void aReleaseTheListMissed_endsTheDragAllTheSame() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        Drag drag(fixture, {"a", "b", "c"});
        drag.press(0).moveTo(1).releaseElsewhere().moveTo(2).moveTo(0);
        QCOMPARE(fixture.entries(), (QStringList{"b", "a", "c"}));
        QCOMPARE(window.ListView1->cursor().shape(), Qt::ArrowCursor);
    }

    void altKeys_moveTheSelectedEntry_inView_andNothingMovesWhileBusy() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        const QStringList rows = numberedRows(40);
        Drag drag(fixture, rows);
        AddressListView* list = window.ListView1;
        const auto press = [&](Qt::Key key, Qt::KeyboardModifiers also = {}) {
            QTest::keyClick(list, key, Qt::AltModifier | also);
        };
        const auto shown = [&](int row) {
            return list->viewport()->rect().contains(list->visualRect(list->entries().index(row)));
        };
        list->selectRow(1);
        press(Qt::Key_Up);
        press(Qt::Key_Up); // already at the top
        QCOMPARE(fixture.entries().mid(0, 3), (QStringList{"1", "0", "2"}));
        QCOMPARE(list->selectedRow(), 0);
        press(Qt::Key_Down, Qt::KeypadModifier);
        QCOMPARE(fixture.entries(), rows);
        QCOMPARE(list->selectedRow(), 1);
        press(Qt::Key_End);
        QCOMPARE(fixture.entries().mid(38), (QStringList{"39", "1"}));
        QCOMPARE(fixture.entries().mid(0, 2), (QStringList{"0", "2"}));
        QVERIFY(list->selectedRow() == 39 && shown(39));
        press(Qt::Key_Home);
        QCOMPARE(fixture.entries().mid(0, 3), (QStringList{"1", "0", "2"}));
        QVERIFY(list->selectedRow() == 0 && shown(0));

        // A run reads the entries by position while the window is busy.
        const QStringList before = fixture.entries();
        window.setPointer(Form1::kPointerBusy);
        press(Qt::Key_Down);
        drag.press(0).moveTo(1).release();
        QCOMPARE(fixture.entries(), before);
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
        const QStringList rows = numberedRows(40);
        Drag drag(fixture, rows);
        AddressListView* list = window.ListView1;
        list->scrollTo(list->entries().index(10), QAbstractItemView::PositionAtTop);
        window.findChild<ListReorder*>()->setPointerOnScreen([&] { return QPoint(50, screenY); });
        const auto rowAtHeight = [&](int y) { return list->rowAt(QPoint(4, y)); };

        const int top = rowAtHeight(2);
        // The last row shown whole is the one above the row at the bottom edge.
        const int onto = ontoTopRow ? top : rowAtHeight(list->viewport()->height()) - 1;
        const int from = ontoTopRow ? onto + 1 : onto - 1;
        drag.press(from).moveTo(onto);
        QCOMPARE(list->entries().text(onto), QString::number(from));
        QCOMPARE(rowAtHeight(2), top + shift);
    }

    void dragCursor_isDragIco_orAMoveArrow_andReleaseShowsTheArrow() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        Drag drag(fixture, {"a", "b"});
        drag.press(0);
        QCOMPARE(window.ListView1->cursor().shape(), Qt::DragMoveCursor);
        drag.release();
        QCOMPARE(window.ListView1->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(fixture.write("program/drag.ico", "not a picture"));
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
