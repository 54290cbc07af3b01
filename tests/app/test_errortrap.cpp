// The trap of numbered steps, the "Application Error" box and closing.
#include "windowfixture.h"

#include <qtdialogs.h>
#include <support/failure.h>
#include <support/pendingevents.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestErrorTrap : public QObject {
    Q_OBJECT
private slots:
    void failingSteps_eachShowABox_withTheirLine_andTheProcedureGoesOn() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        QStringList ran;
        support::StepTrap step = window.trap(QStringLiteral("PushButton1_Click"));
        const auto broken = []() -> bool { support::fail(QStringLiteral("Type mismatch")); };
        step(100, [&] { ran << "100"; });
        step(102, [&] { support::fail(QStringLiteral("Disk not ready\r\nsecond line")); });
        step(104, [&] { ran << "104"; });
        step(106, [&] { throw std::runtime_error("Out of memory"); });
        if (step.guard(108, broken)) // a failed guard lets its block run
            ran << "guarded block";
        if (step.test(110, broken)) // a failed test skips its action
            ran << "tested action";
        QVERIFY(step.test(112, [] { return true; }) && !step.guard(114, [] { return false; }));

        QCOMPARE(ran, (QStringList{"100", "104", "guarded block"}));
        for (const auto& shown : fixture.dialogs.shown)
            QCOMPARE(shown.caption, QString("Application Error"));
        const auto box = [](const QString& description, int line) {
            return description + "\r\nin Orvanta2021/08/31.Form1.PushButton1_Click at line " +
                   QString::number(line) +
                   "\r\rPlease email screenshot of this message to support@orvanta.example.org";
        };
        // The description is joined unchanged, line breaks and all.
        QCOMPARE(fixture.dialogs.texts(),
                 (QStringList{box("Disk not ready\r\nsecond line", 102), box("Out of memory", 106),
                              box("Type mismatch", 108), box("Type mismatch", 110)}));
    }

    void realMessageBox_showsTheThreeBlocksAndIsAnsweredWithOk() {
        WindowFixture fixture;
        QtDialogs real;
        fixture.dialogsInUse = &real;
        Form1& window = fixture.open();
        QStringList seen;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen << box->windowTitle() << box->text();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            QCOMPARE(box->icon(), QMessageBox::Warning);
            QCOMPARE(box->buttons().size(), 1);
        });
        support::StepTrap step = window.trap(QStringLiteral("Form_Load"));
        bool after = false;
        step(100, [] { support::fail(QStringLiteral("Skin cannot be loaded")); });
        step(102, [&] { after = true; });

        QVERIFY(after);
        QCOMPARE(seen,
                 (QStringList{"Application Error",
                              "Skin cannot be loaded\nin Orvanta2021/08/31.Form1.Form_Load at "
                              "line 100\n\nPlease email screenshot of this message to "
                              "support@orvanta.example.org"}));
    }

    void closing_endsTheProgram_insideABusyCommandThatYields() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        QTimer::singleShot(0, &window, [&] { window.close(); });
        support::ProcessPendingMessages(); // what a long command does between its steps
        QCOMPARE(fixture.terminations, 1);
    }
};

QTEST_MAIN(TestErrorTrap)
#include "test_errortrap.moc"
