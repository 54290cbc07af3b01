// The "..." button: the folder chooser, the remembered folder and the output folder box.
#include "windowfixture.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestOutputFolder : public QObject {
    Q_OBJECT
private slots:
    void pick_writesBothKeys_cancelKeepsTheTyping_andTheNextOpensAtTheLastPick() {
        QTemporaryDir picked;
        WindowFixture fixture;
        fixture.storeValue(SettingsStore::kLastFolder, "/no/such/folder");
        Form1& window = fixture.open();
        fixture.dialogs.folderAnswers = {picked.path(), "", "/"}; // the second is cancelled
        const auto pick = [&] { QTest::mouseClick(window.PushButton7, Qt::LeftButton); };
        const auto stored = [&](const QString& key) { return fixture.storedValue(key).toString(); };

        pick();
        QCOMPARE(window.Text1->text(), picked.path() + '/');
        QCOMPARE(stored(SettingsStore::kOutputFolder), picked.path() + '/');
        QCOMPARE(stored(SettingsStore::kLastFolder), picked.path());
        window.Text1->setText("/typed/elsewhere/");
        pick();
        QCOMPARE(window.Text1->text(), QString("/typed/elsewhere/"));
        QCOMPARE(stored(SettingsStore::kOutputFolder), QString("/typed/elsewhere/"));
        QCOMPARE(stored(SettingsStore::kLastFolder), picked.path());
        pick(); // the root keeps its own separator
        QCOMPARE(window.Text1->text(), QString("/"));
        QCOMPARE(stored(SettingsStore::kLastFolder), QString("/"));

        // A last pick gone since opens the chooser at home, not where the program started.
        QCOMPARE(fixture.dialogs.folderStarts,
                 (QStringList{QDir::homePath(), picked.path(), picked.path()}));
        QCOMPARE(fixture.dialogs.prompts, QStringList(3, "Please select folder:"));
    }
};

QTEST_MAIN(TestOutputFolder)
#include "test_outputfolder.moc"
