// Files, folders and other data dragged from a file manager onto the list.
#include "windowfixture.h"

#include <addresslistview.h>

#include <QApplication>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

// What became of one drag: what the source proposed, whether the list took
// it, and the effect it answered while the drag was over it and at the drop.
struct Dragged {
    Qt::DropAction proposed;
    bool taken;
    Qt::DropAction overList;
    Qt::DropAction dropped;
};

// Drags `urls` (and `text`) over the middle of the list and drops them there,
// with copying, moving and linking offered as file managers do.
Dragged dragAndDrop(Form1& window, const QStringList& urls, const QString& text = {},
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMimeData data;
    if (!urls.isEmpty())
        data.setUrls(QUrl::fromStringList(urls));
    if (!text.isEmpty())
        data.setText(text);
    QWidget* viewport = window.ListView1->viewport();
    const QPoint at = viewport->rect().center();
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(viewport, &enter);
    QDropEvent drop(at, offered, &data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(viewport, &drop);
    return {enter.proposedAction(), enter.isAccepted(), enter.dropAction(), drop.dropAction()};
}

QString url(const QString& path) {
    return QUrl::fromLocalFile(path).toString();
}

} // namespace

class TestFileDrop : public QObject {
    Q_OBJECT
private slots:
    void filesAndFolders_addPaths_inDropAndWalkOrder_otherDataIsRefused() {
        WindowFixture fixture;
        for (const char* file : {"first/a.txt", "first/~$a.txt", "first/.hidden", "first/sub/b.txt",
                                 "second/c.txt", "loose.txt"})
            QVERIFY(fixture.write(file));
        const QString first = fixture.path("first"), second = fixture.path("second");
        const QString loose = fixture.path("loose.txt"), gone = fixture.path("gone.txt");
        Form1& window = fixture.open();
        for (const Dragged& refused :
             {dragAndDrop(window, {}, "someone@example.com"),
              dragAndDrop(window, {url(loose), "https://example.com/a"})}) {
            QVERIFY(!refused.taken);
            QCOMPARE(refused.overList, Qt::IgnoreAction);
        }
        QCOMPARE(fixture.entries(), QStringList());
        const Dragged taken = dragAndDrop(window, {url(second), url(loose), url(gone), url(first)});

        QVERIFY(taken.taken);
        QCOMPARE(taken.dropped, Qt::CopyAction);
        // A dropped file is not opened: its path is the entry, whatever it holds.
        QCOMPARE(fixture.entries(), (QStringList{second + "/c.txt", loose, gone, first + "/a.txt",
                                                 first + "/sub/b.txt"}));
        QVERIFY(fixture.dialogs.shown.isEmpty());
    }

    // A file manager that is answered "moved" deletes the dragged files.
    void aProposedMove_isTakenAsACopy() {
        WindowFixture fixture;
        QVERIFY(fixture.write("mail.txt"));
        Form1& window = fixture.open();
        const Dragged moved =
            dragAndDrop(window, {url(fixture.path("mail.txt"))}, {}, Qt::ShiftModifier);

        QCOMPARE(moved.proposed, Qt::MoveAction);
        QVERIFY(moved.taken);
        QCOMPARE(moved.overList, Qt::CopyAction);
        QCOMPARE(moved.dropped, Qt::CopyAction);
        QCOMPARE(fixture.entries(), QStringList{fixture.path("mail.txt")});
    }

    void clearAndCloseDuringAFolderWalk_areHandledAtOnce() {
        WindowFixture fixture;
        const QString folder = fixture.path("tree");
        QVERIFY(fixture.write("tree/one/a.txt"));
        Form1& window = fixture.open();
        window.ListView1->entries().append(QStringList{"x", "y"});
        bool busyDuringWalk = true;
        QTimer::singleShot(0, &window, [&] {
            busyDuringWalk = window.isBusy();
            QTest::mouseClick(window.PushButton9, Qt::LeftButton);
            window.close();
        });
        dragAndDrop(window, {url(folder)});

        QVERIFY(!busyDuringWalk);
        QCOMPARE(fixture.terminations, 1); // the real program ends there
        // The drop goes on appending to the emptied list.
        QCOMPARE(fixture.entries(), QStringList{folder + "/one/a.txt"});
    }
};

QTEST_MAIN(TestFileDrop)
#include "test_filedrop.moc"
