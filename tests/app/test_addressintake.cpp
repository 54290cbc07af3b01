// Typing, example addresses, list files, removal and clearing on the real window.
#include "addresslisttesting.h"
#include "windowfixture.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString kLoadAt = QStringLiteral("in Orvanta2021/08/31.Form1.PushButton4_Click at line ");

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
                                     << "a@b"
                                     << "a@b";
        for (int click = 0; click < 6; ++click) // the sixth prompt is cancelled
            QTest::mouseClick(window.PushButton1, Qt::LeftButton);

        QCOMPARE(entries(window), (QStringList{"  Jane.Doe@Example.COM ", "   ", "a@b", "a@b"}));
        QCOMPARE(fixture.dialogs.prompts, QStringList(6, "Enter email address to add: "));
    }

    void examples_areThreeDistinctAddresses_inTheSameOrderEachTime() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        QTest::mouseClick(window.PushButton10, Qt::LeftButton);
        QTest::mouseClick(window.PushButton10, Qt::LeftButton);

        const QStringList all = entries(window);
        QCOMPARE(all.size(), 6);
        QCOMPARE(all.mid(3), all.mid(0, 3));
        QCOMPARE(QSet<QString>(all.begin(), all.begin() + 3).size(), 3);
        for (const QString& address : all.mid(0, 3))
            QVERIFY(QRegularExpression(R"(^[a-z.]+@example\.(com|org|net)$)")
                        .match(address)
                        .hasMatch());
    }

    void load_readsChosenFilesInOrder_withEachLineEnd() {
        WindowFixture fixture;
        const QString lists = fixture.path("lists");
        QVERIFY(writeTestFile(lists + "/crlf.txt", "\xEF\xBB\xBF"
                                                   "a1\r\n\r\na2\r\n"));
        QVERIFY(writeTestFile(lists + "/lf.txt", "b1\nb2\n"));
        QVERIFY(writeTestFile(lists + "/cr.txt", "c1\rc\xE9"));
        Form1& window = fixture.open();
        window.ListView1->entries().append(QString("kept"));
        fixture.dialogs.openAnswers << QStringList{lists, "lf.txt", "crlf.txt", "cr.txt"}
                                    << QStringList{lists + "/lf.txt"};
        for (int click = 0; click < 3; ++click) // the third dialog is cancelled
            QTest::mouseClick(window.PushButton4, Qt::LeftButton);

        // No byte-order mark in the first address; a file that is not UTF-8 is
        // read as Windows-1252.
        QCOMPARE(entries(window), (QStringList{"kept", "b1", "b2", "", "a1", "", "a2", "c1",
                                               "c\u00e9", "b1", "b2", ""}));
        QCOMPARE(fixture.dialogs.prompts,
                 QStringList(3, "Load List(s) - Hold Ctrl to select multiple list files"));
        QCOMPARE(fixture.dialogs.filters,
                 QStringList(3, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"));
        QVERIFY(fixture.dialogs.shown.isEmpty());
        QCOMPARE(window.pointer(), Form1::kPointerDefault);
    }

    void load_reportsMissingAndUnreadableFiles_goesOn_andStaysBusyToTheEnd() {
        WindowFixture fixture;
        const QString lists = fixture.path("lists");
        QVERIFY(writeTestFile(lists + "/a.txt", "a\r\n"));
        QVERIFY(writeTestFile(lists + "/b.txt", "b\r\n"));
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
            << QStringList{lists, "a.txt", "missing.txt", "folder.txt", "b.txt"}
            << QStringList{lists + "/folder.txt"};
        QTest::mouseClick(window.PushButton4, Qt::LeftButton);
        QTest::mouseClick(window.PushButton4, Qt::LeftButton);

        QCOMPARE(entries(window), (QStringList{"x", "a", "b"}));
        const auto& shown = fixture.dialogs.shown;
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[0].text, QString("File not found"));
        QCOMPARE(shown[0].caption, window.applicationTitle());
        // Several files are read at one line, a single chosen file at another.
        QCOMPARE(shown[1].caption, QString("Application Error"));
        QVERIFY(shown[1].text.contains(lists + "/folder.txt"));
        QVERIFY(shown[1].text.contains(kLoadAt + "106\r\r"));
        QVERIFY(shown[2].text.contains(kLoadAt + "104\r\r"));
        QCOMPARE(busyWhileShown, QList<bool>(3, true));
        QCOMPARE(window.pointer(), Form1::kPointerDefault);
    }

    void load_joinsFolderAndName_withoutDoubledSeparators() {
        WindowFixture fixture;
        const QString lists = fixture.path("lists");
        QVERIFY(writeTestFile(lists + "/a.txt", "a\r\n"));
        QVERIFY(QDir().mkpath(lists + "/sub"));
        Form1& window = fixture.open();
        // A root folder ends in a separator already, and so may any folder given;
        // the folder read as a file names the joined path in its report.
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

    void deleteAndDoubleClick_removeTheSelectedEntry_unlessBusy() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        AddressListView* list = window.ListView1;
        QTest::keyClick(list, Qt::Key_Delete); // empty list
        list->entries().append(QStringList{"a", "b", "c", "d"});
        QTest::keyClick(list, Qt::Key_Delete); // nothing selected
        list->selectRow(1);
        QTest::keyClick(list, Qt::Key_Backspace);
        QCOMPARE(entries(window), (QStringList{"a", "b", "c", "d"}));
        QTest::keyClick(list, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(entries(window), (QStringList{"a", "c", "d"}));

        // The first click of a double-click selects the row it removes.
        window.setPointer(Form1::kPointerBusy);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCenter(window, 2));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCenter(window, 2));
        QTest::keyClick(list, Qt::Key_Delete);
        QTest::mouseClick(window.PushButton9, Qt::LeftButton);
        QCOMPARE(entries(window), (QStringList{"a", "c", "d"}));
        window.setPointer(Form1::kPointerDefault);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCenter(window, 2));
        QCOMPARE(entries(window), (QStringList{"a", "c"}));
        QTest::mouseClick(window.PushButton9, Qt::LeftButton);
        QCOMPARE(entries(window), QStringList());
    }
};

QTEST_MAIN(TestAddressIntake)
#include "test_addressintake.moc"
