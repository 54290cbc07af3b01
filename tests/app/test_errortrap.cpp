// The trap of numbered steps, the "Application Error" box and closing.
#include "windowfixture.h"

#include <qtdialogs.h>
#include <support/failure.h>
#include <support/pendingevents.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString kRequest =
    QStringLiteral("\r\rPlease email screenshot of this message to support@orvanta.example.org");

} // namespace

class TestErrorTrap : public QObject {
    Q_OBJECT
private slots:
    void failingSteps_eachReportTheirLine_andTheProcedureGoesOn() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        QStringList ran;
        support::StepTrap step = window.trap(QStringLiteral("PushButton1_Click"));
        step(100, [&] { ran << "100"; });
        step(102, [&] { support::fail(QStringLiteral("Disk not ready\r\nsecond line")); });
        step(104, [&] { ran << "104"; });
        step(106, [&] { throw std::runtime_error("Out of memory"); });
        step(108, [&] { ran << "108"; });

        QCOMPARE(ran, (QStringList{"100", "104", "108"}));
        QCOMPARE(fixture.dialogs.shown.size(), 2);
        for (const auto& box : fixture.dialogs.shown) {
            QCOMPARE(box.caption, QString("Application Error"));
            QVERIFY(box.warning);
        }
        // The description is joined unchanged, line breaks and all.
        QCOMPARE(fixture.dialogs.shown[0].text,
                 "Disk not ready\r\nsecond line\r\n"
                 "in Orvanta2021/08/31.Form1.PushButton1_Click at line 102" + kRequest);
        QCOMPARE(fixture.dialogs.shown[1].text,
                 "Out of memory\r\nin Orvanta2021/08/31.Form1.PushButton1_Click at line 106" +
                     kRequest);
    }

    void failedTests_guardRunsItsBlock_testWithActionSkipsIt() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        support::StepTrap step = window.trap(QStringLiteral("PushButton7_Click"));
        const auto broken = []() -> bool { support::fail(QStringLiteral("Type mismatch")); };
        bool blockRan = false;
        if (step.guard(104, broken))
            blockRan = true;
        bool actionRan = false;
        if (step.test(102, broken))
            actionRan = true;
        QVERIFY(blockRan);
        QVERIFY(!actionRan);
        QVERIFY(step.test(106, [] { return true; }));
        QVERIFY(!step.guard(108, [] { return false; }));
        QCOMPARE(fixture.dialogs.shown.size(), 2);
        QVERIFY(fixture.dialogs.shown[1].text.contains("PushButton7_Click at line 102\r\r"));
    }

    void realMessageBox_showsTheThreeBlocksAndIsAnsweredWithOk() {
        WindowFixture fixture;
        QtDialogs real;
        fixture.dialogsInUse = &real;
        Form1& window = fixture.open();
        QString seenTitle, seenText;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seenTitle = box->windowTitle();
            seenText = box->text();
            seenIcon = box->icon();
            QCOMPARE(box->buttons().size(), 1);
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
        support::StepTrap step = window.trap(QStringLiteral("Form_Load"));
        bool after = false;
        step(100, [] { support::fail(QStringLiteral("Skin cannot be loaded")); });
        step(102, [&] { after = true; });

        QVERIFY(after);
        QCOMPARE(seenTitle, QString("Application Error"));
        QCOMPARE(seenIcon, QMessageBox::Warning);
        QCOMPARE(seenText, QString("Skin cannot be loaded\nin Orvanta2021/08/31.Form1.Form_Load "
                                   "at line 100\n\nPlease email screenshot of this message to "
                                   "support@orvanta.example.org"));
    }

    void closing_endsTheProgramAtOnce_evenInsideABusyCommand() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        window.close();
        QCOMPARE(fixture.terminations, 1);

        // A long command that yields to the window sees the close arrive inside it.
        WindowFixture busy;
        Form1& second = busy.open();
        int yieldsAfterClose = -1;
        QTimer::singleShot(0, &second, [&] { second.close(); });
        for (int i = 0; i < 50 && yieldsAfterClose < 0; ++i) {
            support::ProcessPendingMessages();
            if (busy.terminations == 1)
                yieldsAfterClose = i;
            QTest::qWait(1);
        }
        QVERIFY(yieldsAfterClose >= 0);
    }
};

QTEST_MAIN(TestErrorTrap)
#include "test_errortrap.moc"
