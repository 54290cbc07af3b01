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

// Drags `urls` (and `text`) over the middle of the list and drops them there;
// tells whether the drag was taken and with which effect.
std::pair<bool, Qt::DropAction> dragAndDrop(Form1& window, const QStringList& urls,
                                            const QString& text = {}) {
    QMimeData data;
    if (!urls.isEmpty())
        data.setUrls(QUrl::fromStringList(urls));
    if (!text.isEmpty())
        data.setText(text);
    QWidget* viewport = window.ListView1->viewport();
    const QPoint at = viewport->rect().center();
    const Qt::DropActions offered = Qt::CopyAction | Qt::LinkAction;
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDropEvent drop(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    return {enter.isAccepted(), enter.dropAction()};
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
        const std::pair<bool, Qt::DropAction> refused{false, Qt::IgnoreAction};
        QCOMPARE(dragAndDrop(window, {}, "someone@example.com"), refused);
        QCOMPARE(dragAndDrop(window, {url(loose), "https://example.com/a.txt"}), refused);
        QCOMPARE(fixture.entries(), QStringList());
        const auto [taken, effect] =
            dragAndDrop(window, {url(second), url(loose), url(gone), url(first)});

        QVERIFY(taken);
        QCOMPARE(effect, Qt::CopyAction); // as the file manager proposed
        // A dropped file is not opened: its path is the entry, whatever it holds.
        QCOMPARE(fixture.entries(), (QStringList{second + "/c.txt", loose, gone, first + "/a.txt",
                                                 first + "/sub/b.txt"}));
        QVERIFY(fixture.dialogs.shown.isEmpty());
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
