// The "..." button: the folder chooser, the remembered folder and the output folder box.
#include "windowfixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestOutputFolder : public QObject {
    Q_OBJECT
private slots:
    void firstPick_opensWithoutStart_andWritesBothKeys_data() {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("shown");
        QTest::newRow("folder gets one trailing separator") << "/srv/images"
                                                            << "/srv/images/";
        QTest::newRow("root keeps its own separator") << "/"
                                                      << "/";
    }
    void firstPick_opensWithoutStart_andWritesBothKeys() {
        QFETCH(QString, picked);
        QFETCH(QString, shown);
        WindowFixture fixture;
        Form1& window = fixture.open();
        fixture.dialogs.folderAnswers << picked;
        QTest::mouseClick(window.PushButton7, Qt::LeftButton);

        QCOMPARE(fixture.dialogs.prompts, QStringList{"Please select folder:"});
        QCOMPARE(fixture.dialogs.folderStarts, QStringList{""});
        QCOMPARE(window.Text1->text(), shown);
        QCOMPARE(fixture.storedValue(SettingsStore::kLastFolder).toString(), picked);
        QCOMPARE(fixture.storedValue(SettingsStore::kOutputFolder).toString(), shown);
    }

    void laterPick_opensAtTheLastPickIfStillThere_andCancelKeepsTheTyping() {
        QTemporaryDir picked;
        WindowFixture fixture;
        fixture.storeValue(SettingsStore::kLastFolder, "/no/such/folder");
        Form1& window = fixture.open();
        fixture.dialogs.folderAnswers << picked.path();
        QTest::mouseClick(window.PushButton7, Qt::LeftButton);
        window.Text1->setText("/typed/elsewhere/");
        QTest::mouseClick(window.PushButton7, Qt::LeftButton); // cancelled

        // A last pick gone since opens the chooser without a start folder.
        QCOMPARE(fixture.dialogs.folderStarts, (QStringList{"", picked.path()}));
        QCOMPARE(window.Text1->text(), QString("/typed/elsewhere/"));
        QCOMPARE(fixture.storedValue(SettingsStore::kOutputFolder).toString(),
                 QString("/typed/elsewhere/"));
        QCOMPARE(fixture.storedValue(SettingsStore::kLastFolder).toString(), picked.path());
    }
};

QTEST_MAIN(TestOutputFolder)
#include "test_outputfolder.moc"
