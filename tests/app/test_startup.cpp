// Start-up of the main window: settings, title, optional look files, home page.
#include "windowfixture.h"

#include <addresslistview.h>
#include <apptitle.h>
#include <productinfo.h>
#include <progressbar.h>

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QImageWriter>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString kFormLoad = QStringLiteral("in Orvanta2021/08/31.Form1.Form_Load at line ");

QString desktopDefault() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + u'/';
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A real cursor file: an ICO written by Qt with its type and hot spot patched.
void writeCursorFile(const QString& path, QPoint hotSpot) {
    QImage hand(32, 32, QImage::Format_ARGB32);
    hand.fill(Qt::red);
    QImageWriter writer(path, "ico");
    QVERIFY(writer.write(hand));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    bytes[2] = 2;
    bytes[10] = static_cast<char>(hotSpot.x());
    bytes[12] = static_cast<char>(hotSpot.y());
    file.seek(0);
    file.write(bytes);
}

// The widgets Tab visits, from the list on.
QList<QWidget*> tabStops(Form1& window) {
    QList<QWidget*> stops;
    QWidget* widget = window.ListView1;
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            stops << widget;
        widget = widget->nextInFocusChain();
    } while (widget != window.ListView1);
    return stops;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void firstStart_showsAndStoresDesktopFolder() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        QCOMPARE(window.Text1->text(), desktopDefault());
        QCOMPARE(fixture.storedValue(SettingsStore::kOutputFolder).toString(), desktopDefault());
        QVERIFY(fixture.storedValue(SettingsStore::kLastFolder).isNull());
        QVERIFY(fixture.dialogs.shown.isEmpty());
    }

    void storedValues_winOverTheDefault_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("empty value") << QString("");
        QTest::newRow("folder that no longer exists") << QString("/no/such/folder/");
    }
    void storedValues_winOverTheDefault() {
        QFETCH(QString, stored);
        WindowFixture fixture;
        fixture.storeValue(SettingsStore::kOutputFolder, stored);
        Form1& window = fixture.open();
        QCOMPARE(window.Text1->text(), stored);
        QCOMPARE(fixture.storedValue(SettingsStore::kOutputFolder).toString(), stored);
        QVERIFY(!fixture.storedValue(SettingsStore::kOutputFolder).isNull());
    }

    void typing_isOnDiskAfterEveryKeystroke() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        window.Text1->clear();
        const QString typed = QStringLiteral("/tmp/half");
        for (qsizetype i = 0; i < typed.size(); ++i) {
            QTest::keyClicks(window.Text1, typed.mid(i, 1));
            QCOMPARE(fixture.storedValue(SettingsStore::kOutputFolder).toString(),
                     typed.left(i + 1));
        }
    }

    void applicationTitle_cutsAtWordBoundaries() {
        QCOMPARE(ApplicationTitle(product::kName), QString("Tessaline Varomund Kelbrith Ostavan"));
        // 50 characters whose last words have 5 and 6 letters: both go.
        const QString fifty = QStringLiteral("Abcdefghij Abcdefghij Abcdefghijklmno Abcde Abcdef");
        QCOMPARE(fifty.size(), 50);
        QCOMPARE(ApplicationTitle(fifty), QString("Abcdefghij Abcdefghij Abcdefghijklmno"));
        QCOMPARE(ApplicationTitle("Short Name"), QString("Short"));
        QCOMPARE(ApplicationTitle("Nospace"), QString("Nospace"));
    }

    void window_hasItsLayoutAndStartState() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        QCOMPARE(window.windowTitle(), product::kName);
        QCOMPARE(window.applicationTitle(), QString("Tessaline Varomund Kelbrith Ostavan"));
        QCOMPARE(window.size(), QSize(536, 505));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(window.ListView1->geometry(), QRect(8, 8, 520, 169));
        QCOMPARE(window.PushButton2->geometry(), QRect(8, 434, 520, 27));
        QCOMPARE(window.PushButton7->parentWidget(), window.Frame2);
        QCOMPARE(window.ListView1->model()->headerData(0, Qt::Horizontal).toString(),
                 QString("Email(s)"));
        QCOMPARE(window.ListView1->header()->sectionSize(0), 467);
        QVERIFY(window.ListView1->toolTip().startsWith("Drag and drop files here."));
        QVERIFY(window.Option1->isChecked() && window.Option3->isChecked());
        QCOMPARE(window.ProgressBar1->caption(), QString("Progress Bar"));
        QCOMPARE(window.ProgressBar1->value(), 0.0);
        QCOMPARE(window.PushButton1->font().pointSizeF(), 11.25);
        QVERIFY(window.Text1->font().bold());
        QVERIFY(!window.windowIcon().isNull());
        // Tab order follows the tab indexes: list, folder, "...", then the buttons.
        QCOMPARE(tabStops(window).mid(0, 7),
                 (QList<QWidget*>{window.ListView1, window.Text1, window.PushButton7,
                                  window.PushButton1, window.PushButton4, window.PushButton2,
                                  window.PushButton9}));
    }

    void skin_absentPresentAndBroken() {
        {
            WindowFixture fixture;
            Form1& window = fixture.open();
            QCOMPARE(window.palette().color(QPalette::Window), QColor(Qt::white));
            QVERIFY(window.styleSheet().isEmpty());
        }
        {
            WindowFixture fixture;
            writeFile(fixture.programFolder() + "/x/o.cjs", "QPushButton { color: navy; }");
            Form1& window = fixture.open();
            QCOMPARE(window.styleSheet(), QString("QPushButton { color: navy; }"));
            QCOMPARE(window.Frame1->palette().color(QPalette::Window),
                     window.palette().color(QPalette::Button));
            QVERIFY(fixture.dialogs.shown.isEmpty());
        }
        {
            WindowFixture fixture;
            writeFile(fixture.programFolder() + "/x/o.cjs", QByteArray("\xff\xfe\x00binary", 9));
            Form1& window = fixture.open();
            QCOMPARE(fixture.dialogs.warnings().size(), 1);
            QVERIFY(fixture.dialogs.warnings().first().contains(kFormLoad + "100\r\r"));
            // The rest of the start-up still ran.
            QCOMPARE(window.windowTitle(), product::kName);
            QCOMPARE(window.Text1->text(), desktopDefault());
        }
    }

    void handCursor_presentAbsentAndBroken() {
        {
            WindowFixture fixture;
            writeCursorFile(fixture.programFolder() + "/HAND-M.CUR", QPoint(9, 3));
            Form1& window = fixture.open();
            QVERIFY(window.hasCustomCursor());
            QTest::mouseMove(window.PushButton1);
            QCOMPARE(window.pointer(), Form1::kPointerCustom);
            QCOMPARE(window.cursor().shape(), Qt::BitmapCursor);
            QCOMPARE(window.cursor().hotSpot(), QPoint(9, 3));
        }
        {
            WindowFixture fixture;
            Form1& window = fixture.open();
            QVERIFY(!window.hasCustomCursor());
            QTest::mouseMove(window.PushButton4);
            QCOMPARE(window.pointer(), Form1::kPointerCustom);
            QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
        }
        {
            WindowFixture fixture;
            writeFile(fixture.programFolder() + "/HAND-M.CUR", "not a picture");
            fixture.open();
            QCOMPARE(fixture.dialogs.warnings().size(), 1);
            QVERIFY(fixture.dialogs.warnings().first().contains(kFormLoad + "106\r\r"));
        }
    }

    void hoverRule_handOverButtons_arrowElsewhere_busyWins() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        QTest::mouseMove(window.PushButton2);
        QCOMPARE(window.pointer(), Form1::kPointerCustom);
        QTest::mouseMove(window.Text1);
        QCOMPARE(window.pointer(), Form1::kPointerDefault);
        QTest::mouseMove(window.PushButton7);
        QCOMPARE(window.pointer(), Form1::kPointerCustom);
        QTest::mouseMove(window.Frame1, QPoint(window.Frame1->width() - 5, 5));
        QCOMPARE(window.pointer(), Form1::kPointerDefault);

        window.setPointer(Form1::kPointerBusy);
        const QList<QWidget*> overs{window.PushButton1, window.Frame2, window.ListView1->viewport()};
        for (QWidget* over : overs) {
            QTest::mouseMove(over);
            QCOMPARE(window.pointer(), Form1::kPointerBusy);
            QCOMPARE(window.cursor().shape(), Qt::WaitCursor);
        }
    }

    void homePage_opensOnlyOnASeven_andReportsAFailure() {
        {
            WindowFixture fixture;
            fixture.randomFraction = 0.069; // a draw of 7
            fixture.open();
            QCOMPARE(fixture.openedUrls, QList<QUrl>{QUrl(product::kHomePage)});
        }
        for (double fraction : {0.0, 0.06 - 1e-9, 0.07, 0.999999}) {
            WindowFixture fixture;
            fixture.randomFraction = fraction;
            fixture.open();
            QVERIFY(fixture.openedUrls.isEmpty());
        }
        {
            WindowFixture fixture;
            fixture.randomFraction = 0.065;
            fixture.openUrlSucceeds = false;
            fixture.open();
            QCOMPARE(fixture.dialogs.warnings().size(), 1);
            QVERIFY(fixture.dialogs.warnings().first().contains(kFormLoad + "108\r\r"));
        }
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
