// Typing, example addresses, list files, removal and clearing on the real window.
#include "testfiles.h"
#include "windowfixture.h"

#include <addresslistview.h>

#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString kLoadProcedure =
    QStringLiteral("in Orvanta2021/08/31.Form1.PushButton4_Click at line ");

QStringList entries(Form1& window) {
    return window.ListView1->entries().entries();
}

void fill(Form1& window, const QStringList& texts) {
    window.ListView1->entries().append(texts);
}

QPoint rowCenter(Form1& window, int row) {
    return window.ListView1->visualRect(window.ListView1->entries().index(row)).center();
}

} // namespace

class TestAddressIntake : public QObject {
    Q_OBJECT
private slots:
    void addOne_appendsTheAnswerExactly_andNothingForEmptyOrCancel() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        fixture.dialogs.inputAnswers << "  Jane.Doe@Example.COM "
                                     << ""
                                     << "   "
                                     << "same@example.com"
                                     << "same@example.com";
        for (int click = 0; click < 6; ++click) // the sixth prompt is cancelled
            QTest::mouseClick(window.PushButton1, Qt::LeftButton);

        QCOMPARE(entries(window), (QStringList{"  Jane.Doe@Example.COM ", "   ", "same@example.com",
                                               "same@example.com"}));
        QCOMPARE(fixture.dialogs.prompts,
                 QStringList(6, QStringLiteral("Enter email address to add: ")));
        QVERIFY(fixture.dialogs.shown.isEmpty());
    }

    void examples_areThreeDistinctAddresses_appendedInTheSameOrderEachTime() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        QTest::mouseClick(window.PushButton10, Qt::LeftButton);
        QTest::mouseClick(window.PushButton10, Qt::LeftButton);

        const QStringList all = entries(window);
        QCOMPARE(all.size(), 6);
        QCOMPARE(all.mid(3), all.mid(0, 3));
        QCOMPARE(QSet<QString>(all.begin(), all.begin() + 3).size(), 3);
        const QRegularExpression wellFormed(R"(^[a-z][a-z.]*@example\.(com|org|net)$)");
        for (const QString& address : all.mid(0, 3))
            QVERIFY2(wellFormed.match(address).hasMatch(), qPrintable(address));
    }

    void load_readsChosenFilesInOrder_withEachLineEnd() {
        WindowFixture fixture;
        const QString lists = fixture.path("lists");
        QVERIFY(writeTestFile(lists + "/crlf.txt", "\xEF\xBB\xBF"
                                                   "a1\r\n\r\na2\r\n"));
        QVERIFY(writeTestFile(lists + "/lf.txt", "b1\nb2\n"));
        QVERIFY(writeTestFile(lists + "/cr.txt", "c1\rc\xE9"));
        Form1& window = fixture.open();
        fill(window, {"kept"});
        fixture.dialogs.openAnswers << QStringList{lists, "lf.txt", "crlf.txt", "cr.txt"}
                                    << QStringList{lists + "/lf.txt"};
        QTest::mouseClick(window.PushButton4, Qt::LeftButton);
        QTest::mouseClick(window.PushButton4, Qt::LeftButton);

        // The byte-order mark is no part of the first address, and a file that
        // is not UTF-8 is read as Windows-1252.
        QCOMPARE(entries(window), (QStringList{"kept", "b1", "b2", "", "a1", "", "a2", "c1",
                                               "c\u00e9", "b1", "b2", ""}));
        QCOMPARE(fixture.dialogs.prompts,
                 QStringList(2, "Load List(s) - Hold Ctrl to select multiple list files"));
        QCOMPARE(fixture.dialogs.filters,
                 QStringList(2, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"));
        QVERIFY(fixture.dialogs.shown.isEmpty());
        QCOMPARE(window.pointer(), Form1::kPointerDefault);
    }

    void load_reportsMissingAndUnreadableFiles_goesOn_andEndsBusy() {
        WindowFixture fixture;
        const QString lists = fixture.path("lists");
        QVERIFY(writeTestFile(lists + "/a.txt", "a\r\n"));
        QVERIFY(writeTestFile(lists + "/b.txt", "b\r\n"));
        QVERIFY(QDir().mkpath(lists + "/folder.txt"));
        Form1& window = fixture.open();
        QList<bool> busyWhileShown;
        fixture.dialogs.whileShown = [&] { busyWhileShown << window.isBusy(); };
        fixture.dialogs.openAnswers
            << QStringList{lists, "a.txt", "missing.txt", "folder.txt", "b.txt"}
            << QStringList{lists + "/folder.txt"};
        QTest::mouseClick(window.PushButton4, Qt::LeftButton);
        QTest::mouseClick(window.PushButton4, Qt::LeftButton);

        QCOMPARE(entries(window), (QStringList{"a", "b"}));
        const auto& shown = fixture.dialogs.shown;
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[0].text, QString("File not found"));
        QCOMPARE(shown[0].caption, window.applicationTitle());
        QVERIFY(!shown[0].warning);
        // Several files are read at one line, a single chosen file at another.
        QCOMPARE(shown[1].caption, QString("Application Error"));
        QVERIFY2(shown[1].text.contains(kLoadProcedure + "106\r\r"), qPrintable(shown[1].text));
        QVERIFY(shown[1].text.contains(lists + "/folder.txt"));
        QVERIFY2(shown[2].text.contains(kLoadProcedure + "104\r\r"), qPrintable(shown[2].text));
        QCOMPARE(busyWhileShown, (QList<bool>{true, true, true}));
        QCOMPARE(window.pointer(), Form1::kPointerDefault);
    }

    void load_joinsFolderAndName_withoutDoubledSeparators() {
        WindowFixture fixture;
        const QString lists = fixture.path("lists");
        QVERIFY(writeTestFile(lists + "/a.txt", "a\r\n"));
        QVERIFY(QDir().mkpath(lists + "/sub"));
        Form1& window = fixture.open();
        // A root folder already ends in a separator, and so may any folder given.
        const QString fromRoot = lists.mid(1);
        fixture.dialogs.openAnswers << QStringList{"/", fromRoot + "/a.txt", fromRoot + "/sub"}
                                    << QStringList{lists + "/", "sub"};
        QTest::mouseClick(window.PushButton4, Qt::LeftButton);
        QTest::mouseClick(window.PushButton4, Qt::LeftButton);

        QCOMPARE(entries(window), QStringList{"a"});
        const QStringList reports = fixture.dialogs.warnings();
        QCOMPARE(reports.size(), 2);
        for (const QString& report : reports) {
            QVERIFY2(report.contains("\"" + lists + "/sub\""), qPrintable(report));
            QVERIFY2(!report.contains("//"), qPrintable(report));
        }
    }

    void load_cancelled_appendsNothing_andLeavesNoBusyState() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        QTest::mouseClick(window.PushButton4, Qt::LeftButton);
        QCOMPARE(window.ListView1->entries().count(), 0);
        QCOMPARE(window.pointer(), Form1::kPointerDefault);
        QVERIFY(fixture.dialogs.shown.isEmpty());
    }

    void deleteAndDoubleClick_removeTheSelectedEntry() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        AddressListView* list = window.ListView1;
        QTest::keyClick(list, Qt::Key_Delete); // empty list
        fill(window, {"a", "b", "c", "d"});
        QTest::keyClick(list, Qt::Key_Delete); // nothing selected

        list->selectRow(1);
        QTest::keyClick(list, Qt::Key_Backspace);
        QCOMPARE(entries(window), (QStringList{"a", "b", "c", "d"}));
        QTest::keyClick(list, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(entries(window), (QStringList{"a", "c", "d"}));

        // The first click of a double-click selects the row it removes.
        list->selectRow(0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCenter(window, 2));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCenter(window, 2));
        QCOMPARE(entries(window), (QStringList{"a", "c"}));
    }

    void removalAndClear_areRefusedWhileBusy() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        AddressListView* list = window.ListView1;
        fill(window, {"a", "b"});
        list->selectRow(0);

        window.setPointer(Form1::kPointerBusy);
        QTest::keyClick(list, Qt::Key_Delete);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCenter(window, 0));
        QTest::mouseClick(window.PushButton9, Qt::LeftButton);
        QCOMPARE(entries(window), (QStringList{"a", "b"}));

        // Adding goes on in the busy state.
        QTest::mouseClick(window.PushButton10, Qt::LeftButton);
        QCOMPARE(window.ListView1->entries().count(), 5);

        window.setPointer(Form1::kPointerDefault);
        QTest::mouseClick(window.PushButton9, Qt::LeftButton);
        QCOMPARE(window.ListView1->entries().count(), 0);
        QVERIFY(fixture.dialogs.shown.isEmpty());
    }

    void removalDuringALoad_isRefused() {
        WindowFixture fixture;
        const QString lists = fixture.path("lists");
        QVERIFY(writeTestFile(lists + "/a.txt", "a\r\n"));
        Form1& window = fixture.open();
        fill(window, {"x", "y"});
        window.ListView1->selectRow(0);
        fixture.dialogs.whileShown = [&] {
            QTest::keyClick(window.ListView1, Qt::Key_Delete);
            window.PushButton9->click();
        };
        fixture.dialogs.openAnswers << QStringList{lists, "missing.txt", "a.txt"};
        QTest::mouseClick(window.PushButton4, Qt::LeftButton);
        QCOMPARE(entries(window), (QStringList{"x", "y", "a"}));
    }
};

QTEST_MAIN(TestAddressIntake)
#include "test_addressintake.moc"
