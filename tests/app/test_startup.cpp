// Start-up of the main window: settings, title, optional look files, home page.
#include "windowfixture.h"

#include <addresslistview.h>
#include <apptitle.h>
#include <cursorfile.h>
#include <progressbar.h>

#include <support/fileutils.h>
#include <support/productinfo.h>

#include <QBuffer>
#include <QFileInfo>
#include <QGroupBox>
#include <QImageWriter>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

namespace {

QString desktopDefault() {
    return support::DesktopFolder();
}

QString reportedAt(int line) {
    return QStringLiteral("in Orvanta2021/08/31.Form1.Form_Load at line %1\r\r").arg(line);
}

// A real cursor file: an ICO written by Qt with its type and hot spot patched.
QByteArray cursorFile(QPoint hotSpot) {
    QImage hand(32, 32, QImage::Format_ARGB32);
    hand.fill(Qt::red);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "ico").write(hand);
    QByteArray bytes = buffer.data();
    bytes[2] = 2;
    bytes[10] = static_cast<char>(hotSpot.x());
    bytes[12] = static_cast<char>(hotSpot.y());
    return bytes;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void startUp_namesTheWindow_andLeavesTheControlsAtRest() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        QCOMPARE(window.windowTitle(), product::kName);
        QCOMPARE(window.applicationTitle(), QString("Tessaline Varomund Kelbrith Ostavan"));
        for (int size : {32, 48, 256}) // the icon's images come from the program's resources
            QCOMPARE(window.windowIcon().pixmap(size).size(), QSize(size, size));
        QCOMPARE(window.ListView1->model()->headerData(0, Qt::Horizontal).toString(),
                 QString("Email(s)"));
        QCOMPARE(window.ListView1->columnWidth(0), 467); // 7000 twips
        QVERIFY(window.Option1->isChecked() && window.Option3->isChecked());
        QCOMPARE(window.ProgressBar1->caption(), QString("Progress Bar"));
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(window.minimumSize(), window.maximumSize());
    }

    void outputFolder_isRestoredOrDefaulted_andEachKeystrokeSaved_data() {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first start: desktop folder, saved") << false << desktopDefault();
        QTest::newRow("stored empty value is kept") << true << "";
        QTest::newRow("stored folder that no longer exists") << true << "/no/such/folder/";
    }
    void outputFolder_isRestoredOrDefaulted_andEachKeystrokeSaved() {
        QFETCH(bool, stored);
        QFETCH(QString, expected);
        WindowFixture fixture;
        if (stored)
            fixture.storeValue(SettingsStore::kOutputFolder, expected);
        Form1& window = fixture.open();
        QCOMPARE(window.Text1->text(), expected);
        QVERIFY(!fixture.storedValue(SettingsStore::kOutputFolder).isNull());
        QCOMPARE(fixture.storedValue(SettingsStore::kOutputFolder).toString(), expected);
        for (const QChar key : QStringLiteral("ab")) { // on disk before the next key
            QTest::keyClicks(window.Text1, key);
            QCOMPARE(fixture.storedValue(SettingsStore::kOutputFolder).toString(), expected += key);
        }
        // Each address to its own JPEG unless the user picks otherwise.
        QVERIFY(window.Option1->isChecked() && window.Option3->isChecked());
    }

    void applicationTitle_cutsAtWordBoundaries_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::newRow("the product name")
            << product::kName << "Tessaline Varomund Kelbrith Ostavan";
        QTest::newRow("50 characters: the last two words go")
            << "Abcdefghij Abcdefghij Abcdefghijklmno Abcde Abcdef"
            << "Abcdefghij Abcdefghij Abcdefghijklmno";
        QTest::newRow("short name: the last word still goes") << "Short Name"
                                                              << "Short";
        QTest::newRow("no space: unchanged") << "Nospace"
                                             << "Nospace";
    }
    void applicationTitle_cutsAtWordBoundaries() {
        QFETCH(QString, name);
        QFETCH(QString, title);
        QCOMPARE(ApplicationTitle(name), title);
    }

    void lookFiles_areUsed_orReportedWhileStartUpGoesOn_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("reportedLine"); // 0: nothing reported
        QTest::newRow("none") << QString() << QByteArray() << 0;
        QTest::newRow("skin") << "x/o.cjs" << QByteArray("QPushButton { color: navy; }") << 0;
        QTest::newRow("skin not text") << "x/o.cjs" << QByteArray("\xff\xfe\x00 binary", 9) << 100;
        QTest::newRow("hand cursor") << "HAND-M.CUR" << cursorFile(QPoint(9, 3)) << 0;
        QTest::newRow("hand cursor not a picture") << "HAND-M.CUR" << QByteArray("text") << 106;
    }
    void lookFiles_areUsed_orReportedWhileStartUpGoesOn() {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(int, reportedLine);
        WindowFixture fixture;
        if (!file.isEmpty())
            QVERIFY(fixture.write("program/" + file, bytes));
        Form1& window = fixture.open();
        const bool used = reportedLine == 0 && !file.isEmpty();

        const bool skin = file == "x/o.cjs";
        QCOMPARE(window.styleSheet(), skin && used ? QString(bytes) : QString());
        QCOMPARE(window.Frame1->palette().color(QPalette::Window),
                 skin ? window.palette().color(QPalette::Button) : QColor(Qt::white));
        // Over a button the pointer setting is the hand; without a hand it shows the arrow.
        QTest::mouseMove(window.Text1);
        QTest::mouseMove(window.PushButton1);
        QCOMPARE(window.pointer(), Form1::kPointerCustom);
        const bool hand = used && file == "HAND-M.CUR";
        QCOMPARE(window.cursor().shape(), hand ? Qt::BitmapCursor : Qt::ArrowCursor);
        if (hand)
            QCOMPARE(window.cursor().hotSpot(), QPoint(9, 3));
        QCOMPARE(fixture.dialogs.texts().size(), reportedLine ? 1 : 0);
        QVERIFY(!reportedLine || fixture.dialogs.texts()[0].contains(reportedAt(reportedLine)));
        QCOMPARE(window.Text1->text(), desktopDefault()); // the last step still ran
    }

    void lookFiles_comeFromTheFirstFolderThatHoldsThem() {
        WindowFixture fixture;
        fixture.lookFolders << fixture.path("user") << fixture.path("installed");
        QVERIFY(fixture.write("user/HAND-M.CUR", cursorFile(QPoint(4, 1))));
        QVERIFY(fixture.write("installed/HAND-M.CUR", cursorFile(QPoint(9, 3))));
        QVERIFY(fixture.write("installed/x/o.cjs", "QPushButton { color: navy; }"));
        Form1& window = fixture.open();
        QTest::mouseMove(window.Text1);
        QTest::mouseMove(window.PushButton1);
        QCOMPARE(window.cursor().hotSpot(), QPoint(4, 1));
        QCOMPARE(window.styleSheet(), QString("QPushButton { color: navy; }"));
        QVERIFY(fixture.dialogs.shown.isEmpty());
    }

    void shippedLookFiles_areReadAsPointers_atTheScreensScale() {
        for (const qreal scale : {1.0, 1.5, 2.0}) {
            const QCursor hand = LoadCursorFile(SHIPPED_LOOK_FILES "/HAND-M.CUR", scale);
            const QImage image = hand.pixmap().toImage();
            QCOMPARE(image.size(), QSize(32, 32) * scale);
            QCOMPARE(hand.pixmap().devicePixelRatio(), scale);
            QCOMPARE(hand.hotSpot(), QPoint(5, 0)); // the fingertip, in the screen's logical pixels
            QCOMPARE(image.pixelColor(QPoint(5, 0) * scale).alpha(), 255);
            const QCursor drag = LoadCursorFile(SHIPPED_LOOK_FILES "/drag.ico", scale);
            QCOMPARE(drag.pixmap().size(), QSize(32, 32) * scale);
            QCOMPARE(drag.hotSpot(), QPoint(0, 0));
        }
    }

    void builtProgram_findsTheShippedPointersBesideItself() {
        QTemporaryDir home; // no look files of the user's
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* folder : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            environment.insert(folder, home.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("ORVANTA_EXIT_WHEN_SHOWN", "1");
        environment.insert("QT_LOGGING_RULES", "orvanta.look.info=true");
        QProcess window;
        window.setProcessEnvironment(environment);
        window.start(ORVANTA_PROGRAM, {});
        QVERIFY(window.waitForFinished(60000));
        QCOMPARE(window.exitCode(), 0);
        const QString said = window.readAllStandardError();
        const QString beside = QFileInfo(ORVANTA_PROGRAM).absolutePath();
        for (const QString name : {"HAND-M.CUR", "drag.ico"})
            QVERIFY2(said.contains(name + " from " + beside + "/" + name), qPrintable(said));
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
        for (QWidget* over :
             QWidgetList{window.PushButton1, window.Frame2, window.ListView1->viewport()}) {
            QTest::mouseMove(over);
            QCOMPARE(window.pointer(), Form1::kPointerBusy);
            QCOMPARE(window.cursor().shape(), Qt::WaitCursor);
        }
    }

    void homePage_opensOnADrawOfSeven_andAFailureIsReported_data() {
        QTest::addColumn<double>("fraction");
        QTest::addColumn<bool>("browserWorks");
        QTest::addColumn<bool>("opened");
        QTest::newRow("draw of 7") << 0.069 << true << true;
        QTest::newRow("draw of 6") << 0.06 - 1e-9 << true << false;
        QTest::newRow("draw of 8") << 0.07 << true << false;
        QTest::newRow("draw of 7, browser fails") << 0.065 << false << true;
    }
    void homePage_opensOnADrawOfSeven_andAFailureIsReported() {
        QFETCH(double, fraction);
        QFETCH(bool, browserWorks);
        QFETCH(bool, opened);
        WindowFixture fixture;
        fixture.randomFraction = fraction;
        fixture.openUrlSucceeds = browserWorks;
        QPoint windowAtBox;
        fixture.dialogs.whileShown = [&] { windowAtBox = fixture.window().geometry().center(); };
        fixture.open();
        // A box raised during start-up opens over the window's final, centred
        // place (give or take the frame the window system adds when shown).
        const QPoint final = fixture.window().geometry().center();
        const auto near = [](QPoint a, QPoint b) { return (a - b).manhattanLength() < 10; };
        QVERIFY(near(final, fixture.window().screen()->availableGeometry().center()));
        QVERIFY(browserWorks || near(windowAtBox, final));
        QCOMPARE(fixture.openedUrls,
                 opened ? QList<QUrl>{QUrl("https://orvanta.example.org/")} : QList<QUrl>());
        QCOMPARE(fixture.dialogs.texts().size(), browserWorks ? 0 : 1);
        QVERIFY(browserWorks || fixture.dialogs.texts()[0].contains(reportedAt(108)));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
