// The "..." button: the folder chooser, the remembered folder and the output folder box.
#include "windowfixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

void pick(Form1& window) {
    QTest::mouseClick(window.PushButton7, Qt::LeftButton);
}

} // namespace

class TestOutputFolder : public QObject {
    Q_OBJECT
private slots:
    void firstPick_opensWithoutStart_andWritesBothKeys() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        fixture.dialogs.folderAnswers << "/srv/images";
        pick(window);

        QCOMPARE(fixture.dialogs.prompts, QStringList{"Please select folder:"});
        QCOMPARE(fixture.dialogs.folderStarts, QStringList{""});
        QCOMPARE(window.Text1->text(), QString("/srv/images/"));
        QCOMPARE(fixture.storedValue(SettingsStore::kLastFolder).toString(),
                 QString("/srv/images"));
        QCOMPARE(fixture.storedValue(SettingsStore::kOutputFolder).toString(),
                 QString("/srv/images/"));
    }

    void root_keepsItsOwnSeparator() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        fixture.dialogs.folderAnswers << "/";
        pick(window);
        QCOMPARE(window.Text1->text(), QString("/"));
        QCOMPARE(fixture.storedValue(SettingsStore::kLastFolder).toString(), QString("/"));
    }

    void laterPick_opensAtTheLastPick_notTheTypedFolder_andCancelKeepsTheTyping() {
        QTemporaryDir picked;
        WindowFixture fixture;
        Form1& window = fixture.open();
        fixture.dialogs.folderAnswers << picked.path();
        pick(window);
        window.Text1->setText("/typed/elsewhere/");
        pick(window); // cancelled

        QCOMPARE(fixture.dialogs.folderStarts, (QStringList{"", picked.path()}));
        QCOMPARE(window.Text1->text(), QString("/typed/elsewhere/"));
        QCOMPARE(fixture.storedValue(SettingsStore::kOutputFolder).toString(),
                 QString("/typed/elsewhere/"));
        QCOMPARE(fixture.storedValue(SettingsStore::kLastFolder).toString(), picked.path());
    }

    void lastPickGoneSince_opensWithoutStart() {
        WindowFixture fixture;
        fixture.storeValue(SettingsStore::kLastFolder, "/no/such/folder");
        Form1& window = fixture.open();
        fixture.dialogs.folderAnswers << "/tmp";
        pick(window);
        QCOMPARE(fixture.dialogs.folderStarts, QStringList{""});
        QCOMPARE(window.Text1->text(), QString("/tmp/"));
    }
};

QTEST_MAIN(TestOutputFolder)
#include "test_outputfolder.moc"
