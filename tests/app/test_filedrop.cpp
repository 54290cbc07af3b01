// Files, folders and other data dragged from a file manager onto the list.
#include "testfiles.h"
#include "windowfixture.h"

#include <addresslistview.h>

#include <QApplication>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

QStringList entries(Form1& window) {
    return window.ListView1->entries().entries();
}

QMimeData* localFiles(const QStringList& paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data->setUrls(urls);
    return data;
}

struct DragOutcome {
    bool enterAccepted;
    Qt::DropAction enterAction;
    bool moveAccepted;
};

// Drags `data` over the middle of the list and drops it there.
DragOutcome dragAndDrop(Form1& window, QMimeData* data) {
    QWidget* viewport = window.ListView1->viewport();
    const QPointF at = viewport->rect().center();
    const Qt::DropActions offered = Qt::CopyAction | Qt::LinkAction;
    QDragEnterEvent enter(at.toPoint(), offered, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(at.toPoint(), offered, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QDropEvent drop(at, offered, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    delete data;
    return {enter.isAccepted(), enter.dropAction(), move.isAccepted()};
}

} // namespace

class TestFileDrop : public QObject {
    Q_OBJECT
private slots:
    void files_addTheirOwnPaths_unread() {
        WindowFixture fixture;
        const QString list = fixture.path("lists/mail.txt");
        QVERIFY(writeTestFile(list, "never@read.example\r\n"));
        const QString notThere = fixture.path("lists/gone.txt");
        Form1& window = fixture.open();
        const DragOutcome outcome = dragAndDrop(window, localFiles({list, notThere, list}));

        QVERIFY(outcome.enterAccepted && outcome.moveAccepted);
        QCOMPARE(outcome.enterAction, Qt::CopyAction); // as the file manager proposed
        QCOMPARE(entries(window), (QStringList{list, notThere, list}));
        QCOMPARE(window.pointer(), Form1::kPointerDefault);
    }

    void folders_addTheirFilesInWalkOrder_lessSkippedNames() {
        WindowFixture fixture;
        const QString first = fixture.path("first");
        const QString second = fixture.path("second");
        const QString loose = fixture.path("loose.txt");
        for (const QString& file : {first + "/a.txt", first + "/~$a.txt", first + "/.hidden",
                                    first + "/sub/b.txt", second + "/c.txt", loose})
            QVERIFY(writeTestFile(file));
        QVERIFY(QDir().mkpath(first + "/empty"));
        Form1& window = fixture.open();
        dragAndDrop(window, localFiles({second, loose, first}));

        QCOMPARE(entries(window),
                 (QStringList{second + "/c.txt", loose, first + "/a.txt", first + "/sub/b.txt"}));
        QVERIFY(fixture.dialogs.shown.isEmpty());
    }

    void clearDuringAFolderWalk_emptiesTheList_andTheDropGoesOn() {
        WindowFixture fixture;
        const QString folder = fixture.path("tree");
        QVERIFY(writeTestFile(folder + "/one/a.txt"));
        Form1& window = fixture.open();
        window.ListView1->entries().append(QStringList{"x", "y"});
        bool busyDuringWalk = true;
        QTimer::singleShot(0, &window, [&] {
            busyDuringWalk = window.isBusy();
            QTest::mouseClick(window.PushButton9, Qt::LeftButton);
        });
        dragAndDrop(window, localFiles({folder}));

        QVERIFY(!busyDuringWalk);
        QCOMPARE(entries(window), QStringList{folder + "/one/a.txt"});
    }

    void otherData_isRefused_withTheNoDropEffect_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("urls");
        QTest::newRow("plain text") << "someone@example.com" << QStringList();
        QTest::newRow("web address") << "" << QStringList{"https://example.com/list.txt"};
        QTest::newRow("web address among files")
            << "" << QStringList{"file:///tmp/a.txt", "https://example.com/list.txt"};
    }

    void otherData_isRefused_withTheNoDropEffect() {
        QFETCH(QString, text);
        QFETCH(QStringList, urls);
        auto* data = new QMimeData;
        if (!text.isEmpty())
            data->setText(text);
        if (!urls.isEmpty())
            data->setUrls(QUrl::fromStringList(urls));
        WindowFixture fixture;
        Form1& window = fixture.open();
        const DragOutcome outcome = dragAndDrop(window, data);

        QVERIFY(!outcome.enterAccepted && !outcome.moveAccepted);
        QCOMPARE(outcome.enterAction, Qt::IgnoreAction);
        QCOMPARE(window.ListView1->entries().count(), 0);
    }
};

QTEST_MAIN(TestFileDrop)
#include "test_filedrop.moc"
