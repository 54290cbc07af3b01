// Typing, example addresses, list files, removal and clearing on the real window.
#include "windowfixture.h"

#include <addresslistview.h>

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <QTest>

#include <sys/resource.h>
#include <unistd.h>

namespace {

// Paints the list as usual and keeps the longest text painted.
class LongestPainted : public QStyledItemDelegate {
public:
    mutable QString text;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (option->text.size() > text.size())
            text = option->text;
    }
};

// The address space the process has mapped, in bytes.
rlim_t mappedBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(0).toULongLong() * rlim_t(::sysconf(_SC_PAGESIZE));
}

} // namespace

class TestAddressIntake : public QObject {
    Q_OBJECT
private slots:
    // Several pasted lines are one entry each, split as a list file's are.
    void addOne_appendsTheAnswerExactly_linePerEntry_andNothingForEmptyOrCancel() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        fixture.dialogs.inputAnswers = {"  Jane.Doe@Example.COM ", "", "   ", "a@b", "a@b",
                                        "c@d\r\n\ne@f\n"};
        for (int click = 0; click < 7; ++click) // the seventh prompt is cancelled
            QTest::mouseClick(window.PushButton1, Qt::LeftButton);

        QCOMPARE(fixture.entries(),
                 (QStringList{"  Jane.Doe@Example.COM ", "   ", "a@b", "a@b", "c@d", "", "e@f"}));
        QCOMPARE(fixture.dialogs.prompts, QStringList(7, "Enter email address to add: "));
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
        const QByteArray line = "x" + QByteArray("\xC3\xA9").repeated(5 << 19) + "@example.com";
        QVERIFY(fixture.write("long.txt", "a@b\r\n" + line + "\r\n"));
        Form1& window = fixture.open();
        LongestPainted painted;
        window.ListView1->setItemDelegate(&painted);
        fixture.dialogs.openAnswers << QStringList{fixture.path("long.txt")};
        QTest::mouseClick(window.PushButton4, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.ListView1->viewport()->repaint();

        QVERIFY2(painted.text.size() > 100 && painted.text.size() < 10000,
                 qPrintable(QString::number(painted.text.size())));
        QVERIFY(QString::fromUtf8(line).startsWith(painted.text)); // no character cut in two
        QCOMPARE(fixture.entries(), (QStringList{"a@b", line}));
    }

    // The list view cannot survive failing to lay out a list; the load must
    // find out first and report it.
    void aListTooLargeForMemory_isReported_andTheWindowLivesOn() {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("AddressSanitizer maps far more address space than any such limit");
#endif
        WindowFixture fixture;
        QVERIFY(fixture.write("many.txt", QByteArray("a\n").repeated(1000000)));
        Form1& window = fixture.open();
        window.ListView1->entries().append(QString("x"));
        fixture.dialogs.openAnswers << QStringList{fixture.path("many.txt")};
        rlimit saved;
        QVERIFY(::getrlimit(RLIMIT_AS, &saved) == 0);
        // Room for the entries themselves (about 10 MB), not for laying them out.
        const rlimit tight{mappedBytes() + (40 << 20), saved.rlim_max};
        QVERIFY(tight.rlim_cur > (40 << 20) && ::setrlimit(RLIMIT_AS, &tight) == 0);
        QTest::mouseClick(window.PushButton4, Qt::LeftButton);
        QApplication::processEvents();
        window.ListView1->viewport()->repaint();
        ::setrlimit(RLIMIT_AS, &saved);

        QCOMPARE(fixture.dialogs.shown.size(), 1);
        QCOMPARE(fixture.dialogs.shown[0].caption, QString("Application Error"));
        QCOMPARE(fixture.entries(), QStringList{"x"});
        QCOMPARE(window.pointer(), Form1::kPointerDefault);
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
        // Busy as in a run, which a load in the middle of it (here cancelled) leaves busy.
        window.setPointer(Form1::kPointerBusy);
        QTest::mouseClick(window.PushButton4, Qt::LeftButton);
        QCOMPARE(window.pointer(), Form1::kPointerBusy);
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
