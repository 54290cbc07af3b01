// Typing, example addresses, list files, removal and clearing on the real window.
#include "windowfixture.h"

#include <addresslistview.h>

#include <QPushButton>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <QTest>

namespace {

// Paints the list as usual and keeps the length of the longest text painted.
class PaintedLength : public QStyledItemDelegate {
public:
    mutable qsizetype longest = 0;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        longest = qMax(longest, option->text.size());
    }
};

} // namespace

class TestAddressIntake : public QObject {
    Q_OBJECT
private slots:
    void addOne_appendsTheAnswerExactly_andNothingForEmptyOrCancel() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        fixture.dialogs.inputAnswers = {"  Jane.Doe@Example.COM ", "", "   ", "a@b", "a@b"};
        for (int click = 0; click < 6; ++click) // the sixth prompt is cancelled
            QTest::mouseClick(window.PushButton1, Qt::LeftButton);

        QCOMPARE(fixture.entries(), (QStringList{"  Jane.Doe@Example.COM ", "   ", "a@b", "a@b"}));
        QCOMPARE(fixture.dialogs.prompts, QStringList(6, "Enter email address to add: "));
    }

    void examples_areThreeDistinctAddresses_inTheSameOrderEachTime() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        QTest::mouseClick(window.PushButton10, Qt::LeftButton);
        QTest::mouseClick(window.PushButton10, Qt::LeftButton);

        // Six entries, three distinct ones, the second three repeating the first.
        const QStringList all = fixture.entries();
        QCOMPARE(all.size(), 6);
        QCOMPARE(all.mid(3), all.mid(0, 3));
        QCOMPARE(QSet<QString>(all.begin(), all.end()).size(), 3);
        QCOMPARE(all.filter(QRegularExpression(R"(^[a-z.]+@example\.(com|org|net)$)")), all);
    }

    // The dialog gives one full path, or a folder (the root, or one ending in a
    // separator) and names; missing and unreadable files are reported one by
    // one while the load goes on, busy throughout.
    void load_readsChosenFilesInOrder_reportsBadOnes_andStaysBusyToTheEnd() {
        WindowFixture fixture;
        const QString lists = fixture.path("lists");
        QVERIFY(fixture.write("lists/a.txt", "\xEF\xBB\xBF"
                                             "a1\r\na2\r\n"));
        QVERIFY(fixture.write("lists/b.txt", "b\r\n"));
        QVERIFY(QDir().mkpath(lists + "/folder.txt"));
        Form1& window = fixture.open();
        window.ListView1->entries().append(QString("x"));
        window.ListView1->selectRow(0);
        QList<bool> busyWhileShown;
        fixture.dialogs.whileShown = [&] {
            busyWhileShown << window.isBusy();
            QTest::keyClick(window.ListView1, Qt::Key_Delete); // both refused mid-load
            window.PushButton9->click();
        };
        fixture.dialogs.openAnswers
            << QStringList{lists, "b.txt", "missing.txt", "folder.txt", "a.txt"}
            << QStringList{"/", lists.mid(1) + "/folder.txt"}
            << QStringList{lists + "/", "folder.txt"} << QStringList{lists + "/folder.txt"};
        for (int click = 0; click < 5; ++click) { // the fifth dialog is cancelled
            QTest::mouseClick(window.PushButton4, Qt::LeftButton);
            QCOMPARE(window.pointer(), Form1::kPointerDefault);
        }

        // No byte-order mark in the first address of a file.
        QCOMPARE(fixture.entries(), (QStringList{"x", "b", "a1", "a2"}));
        const auto& shown = fixture.dialogs.shown;
        QCOMPARE(shown.size(), 5);
        QCOMPARE(shown[0].text, QString("File not found"));
        QCOMPARE(shown[0].caption, QString("Tessaline Varomund Kelbrith Ostavan"));
        // Several files are read at one line, a single chosen file at another.
        const QString at = QStringLiteral("PushButton4_Click at line ");
        for (int box = 1; box < 5; ++box) {
            QCOMPARE(shown[box].caption, QString("Application Error"));
            QVERIFY(shown[box].text.contains(at + (box < 4 ? "106\r\r" : "104\r\r")));
            QVERIFY(shown[box].text.contains("\"" + lists + "/folder.txt\""));
            QVERIFY2(!shown[box].text.contains("//"), qPrintable(shown[box].text));
        }
        QCOMPARE(busyWhileShown, QList<bool>(5, true));
        QCOMPARE(fixture.dialogs.prompts,
                 QStringList(5, "Load List(s) - Hold Ctrl to select multiple list files"));
        QCOMPARE(fixture.dialogs.filters,
                 QStringList(5, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"));
    }

    // A line of megabytes would hold the window up at every repaint if painted whole.
    void aLongEntry_isPaintedShort_butKeptWhole() {
        WindowFixture fixture;
        const QByteArray line = QByteArray(5 << 20, 'x') + "@example.com";
        QVERIFY(fixture.write("long.txt", "a@b\r\n" + line + "\r\n"));
        Form1& window = fixture.open();
        PaintedLength painted;
        window.ListView1->setItemDelegate(&painted);
        fixture.dialogs.openAnswers << QStringList{fixture.path("long.txt")};
        QTest::mouseClick(window.PushButton4, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.ListView1->viewport()->repaint();

        QVERIFY2(painted.longest > 100 && painted.longest < 10000,
                 qPrintable(QString::number(painted.longest)));
        QCOMPARE(fixture.entries(), (QStringList{"a@b", line}));
    }

    void deleteAndDoubleClick_removeTheSelectedEntry_unlessBusy() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        AddressListView* list = window.ListView1;
        QTest::keyClick(list, Qt::Key_Delete); // empty list
        list->entries().append(QStringList{"a", "b", "c", "d"});
        QTest::keyClick(list, Qt::Key_Delete); // nothing selected
        list->selectRow(1);
        QTest::keyClick(list, Qt::Key_Backspace);
        QCOMPARE(fixture.entries(), (QStringList{"a", "b", "c", "d"}));
        QTest::keyClick(list, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(fixture.entries(), (QStringList{"a", "c", "d"}));

        // The first click of a double-click selects the row it removes.
        window.setPointer(Form1::kPointerBusy);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, fixture.rowCenter(2));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, fixture.rowCenter(2));
        QTest::keyClick(list, Qt::Key_Delete);
        QTest::mouseClick(window.PushButton9, Qt::LeftButton);
        QCOMPARE(fixture.entries(), (QStringList{"a", "c", "d"}));
        window.setPointer(Form1::kPointerDefault);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, fixture.rowCenter(2));
        QCOMPARE(fixture.entries(), (QStringList{"a", "c"}));
        QTest::mouseClick(window.PushButton9, Qt::LeftButton);
        QCOMPARE(fixture.entries(), QStringList());
    }
};

QTEST_MAIN(TestAddressIntake)
#include "test_addressintake.moc"
