// The conversion run end to end: the real window, the converter tools carried
// inside the program, real images in a temporary output folder.
#include "conversionfixture.h"

#include <progressannouncer.h>
#include <progressbar.h>

#include <QAccessible>
#include <QElapsedTimer>
#include <QImageReader>
#include <QRegularExpression>
#include <QTimer>

namespace {

// A real image of that format, `lines` lines of 10-point text high and about
// `longest` characters wide.
void verifyImage(const QString& path, const QString& extension, int lines, int longest) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QCOMPARE(reader.format(), QByteArray(extension == "png" ? "png" : "jpeg"));
    const QImage image = reader.read();
    const int lineHeight = 13; // 10 pt at 96 DPI is 13.3 px
    QVERIFY2(image.height() >= lines * lineHeight && image.height() <= lines * (lineHeight + 1) + 3,
             qPrintable(QString::number(image.height())));
    QVERIFY2(image.width() >= longest * 7 && image.width() <= longest * 9 + 8,
             qPrintable(QString::number(image.width())));
}

} // namespace

class TestConversionRun : public QObject {
    Q_OBJECT
private slots:
    void bothModes_makeTheirImages_andLeaveNothingBehind_data() {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<bool>("wholeList");
        for (const char* extension : {"png", "jpg"}) {
            QTest::addRow("each address, %s", extension) << extension << false;
            QTest::addRow("whole list, %s", extension) << extension << true;
        }
    }
    void bothModes_makeTheirImages_andLeaveNothingBehind() {
        QFETCH(QString, extension);
        QFETCH(bool, wholeList);
        ConversionFixture fixture;
        const QStringList addresses{"alice@example.com", "the.longest@example.org", "c@b.net"};
        Form1& window = fixture.open(addresses, extension, wholeList);
        fixture.click();

        QCOMPARE(fixture.dialogs.texts(), QStringList{kDone});
        const QStringList made = entriesIn(fixture.output);
        if (wholeList) {
            QCOMPARE(made, QStringList{"Orvanta_Result." + extension});
            verifyImage(fixture.output + "/" + made.first(), extension, 3, 23);
        } else {
            QCOMPARE(made.size(), 3);
            for (const QString& address : addresses)
                verifyImage(fixture.output + "/" + address + "." + extension, extension, 1,
                            address.size());
        }
        QCOMPARE(entriesIn(fixture.temp), QStringList());
        QCOMPARE(window.pointer(), Form1::kPointerDefault);
        QCOMPARE(window.ProgressBar1->value(), 0.0);
        QCOMPARE(window.ProgressBar1->caption(), QString("Progress Bar"));
        QVERIFY(!fixture.converting());
    }

    // A waiting stand-in tool lets the test look at the window during the
    // second of three tool runs, click again there and close the window.
    void duringARun_barShowsTheAddress_aSecondClickIsIgnored_andClosingEnds() {
        ConversionFixture fixture;
        const QString log = fixture.path("log");
        fixture.loadConverter = [&](const conversion::ConverterTool&) {
            return fixture.waitingTool();
        };
        Form1& window = fixture.open({"a@example.com", "sub/b@example.com", "c@example.com"});
        QDir(fixture.output).mkdir("sub");
        window.Text1->setText(fixture.output); // no trailing "/"
        QString during;                        // the window while the second tool runs
        QStringList leftAtClose{"not closed"};
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, this, [&] {
            const QString n = QString::number(QDir(log).entryList({"started-*"}).size());
            if (n == "0" || QFile::exists(log + "/go-" + n))
                return;
            if (n == "2") {
                during = QStringLiteral("%1, %2%, pointer %3, converting %4")
                             .arg(window.ProgressBar1->caption())
                             .arg(window.ProgressBar1->value())
                             .arg(window.pointer())
                             .arg(int(fixture.converting()));
                fixture.click();
            }
            if (n == "3") {
                window.close();
                leftAtClose = entriesIn(fixture.temp);
            }
            fixture.write("log/go-" + n);
        });
        watcher.start(5);
        fixture.click();
        watcher.stop();

        QCOMPARE(during, QString("Processing: b@example.com, 66.6667%, pointer 11, converting 1"));
        QCOMPARE(fixture.terminations, 1);
        QCOMPARE(leftAtClose, QStringList()); // the run's folder went with the window
        // The second click started nothing: three runs, one "Done.".
        QCOMPARE(QDir(log).entryList({"started-*"}).size(), 3);
        QCOMPARE(fixture.dialogs.texts(), QStringList{kDone});
        // Each run started in the run's own folder and got the text file there
        // and the image path as two arguments.
        const QString arguments = QString::fromUtf8(readAll(log + "/args-2"));
        QVERIFY2(
            QRegularExpression("^2\nemails.txt\n" + QRegularExpression::escape(fixture.output) +
                               "/sub/b@example.com.png\n" +
                               QRegularExpression::escape(fixture.temp) + "/orvanta-run-\\w{6}\n$")
                .match(arguments)
                .hasMatch(),
            qPrintable(arguments));
        QCOMPARE(readAll(log + "/text-2"), QByteArray("sub/b@example.com\r\n"));
        QCOMPARE(readAll(fixture.output + "/a@example.com.png"), QByteArray("image"));
        QCOMPARE(entriesIn(fixture.temp), QStringList()); // the run's folder is gone
    }

    void refusals_touchNothing_andTheNextClickWorks_data() {
        QTest::addColumn<QStringList>("addresses");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("message");
        const QString missing =
            QStringLiteral("Folder does not exist. Please select another folder.");
        QTest::newRow("empty list") << QStringList() << "out/"
                                    << "No files added.";
        QTest::newRow("missing folder") << QStringList{"a@b.c"} << "nothere/" << missing;
        QTest::newRow("folder is a file") << QStringList{"a@b.c"} << "file" << missing;
        QTest::newRow("no folder") << QStringList{"a@b.c"} << "" << missing;
    }
    void refusals_touchNothing_andTheNextClickWorks() {
        QFETCH(QStringList, addresses);
        QFETCH(QString, folder);
        QFETCH(QString, message);
        ConversionFixture fixture;
        QVERIFY(fixture.write("file"));
        Form1& window = fixture.open(addresses);
        window.Text1->setText(folder.isEmpty() ? folder : fixture.path(folder));
        window.setPointer(Form1::kPointerCustom);
        fixture.click();

        QCOMPARE(fixture.dialogs.texts(), QStringList{message});
        QCOMPARE(entriesIn(fixture.temp), QStringList());
        QCOMPARE(entriesIn(fixture.output), QStringList());
        QCOMPARE(window.pointer(), Form1::kPointerCustom);
        QVERIFY(!fixture.converting());

        window.ListView1->entries().append(QStringLiteral("x@example.com"));
        window.Text1->setText(fixture.output + u'/');
        fixture.click();
        QCOMPARE(fixture.dialogs.texts().last(), kDone);
        QVERIFY(QFile::exists(fixture.output + "/x@example.com.png"));
    }

    // Equal addresses make one image, an empty one ".png"; the rest fail with
    // their reason, and none is written outside the output folder or under a
    // name cut short.
    void eachAddress_imageNamedAsTyped_orReportedNotMadeWithWhy() {
        ConversionFixture fixture;
        const QString tooLong = QString(300, u'x') + "@example.com";
        QVERIFY(fixture.write("out/notes.txt", "my notes"));
        fixture.open({"same@example.com", "same@example.com", "", "nosub/out@example.com", tooLong,
                      "../escape@example.com", "/abs@example.com",
                      QStringLiteral("notes.txt") + QChar(0) + "@example.com"});
        fixture.click();

        QCOMPARE(entriesIn(fixture.output),
                 (QStringList{".png", "notes.txt", "same@example.com.png"}));
        QCOMPARE(readAll(fixture.output + "/notes.txt"), QByteArray("my notes"));
        QVERIFY(!QFile::exists(fixture.path("escape@example.com.png")));
        QVERIFY(!QFile::exists("/abs@example.com.png"));
        const QString leaves = QStringLiteral("; its image would leave the output folder");
        QCOMPARE(
            fixture.dialogs.texts(),
            QStringList{
                "Done.\n\n5 of 8 images were not made:\n"
                "\"nosub/out@example.com\": the image file could not be written\n\"" +
                QString(79, u'x') + QChar(0x2026) +
                "\": its file name would be 316 bytes long, and this file system "
                "takes at most 255\n"
                "\"../escape@example.com\": the address has a \"..\" part" +
                leaves + "\n\"/abs@example.com\": the address is an absolute path" + leaves +
                "\n\"notes.txt\\0@example.com\": the address holds a NUL character, which no file "
                "name can hold"});
        QCOMPARE(entriesIn(fixture.temp), QStringList());
    }

    void addressOutsideAscii_isDrawnAsTyped() {
        ConversionFixture fixture;
        const QString address = QStringLiteral("jörg.müller@bücher.de");
        fixture.open({address});
        fixture.click();
        QCOMPARE(fixture.dialogs.texts(), QStringList{kDone});
        const QImage made(fixture.output + "/" + address + ".png");
        QVERIFY(!made.isNull());

        // The converter run directly on the same text in UTF-8 draws the same,
        // and not what replacement characters would give.
        QCOMPARE(made, fixture.drawnDirectly(address));
        QString replaced = address;
        QVERIFY(made != fixture.drawnDirectly(
                            replaced.replace(u'ö', QChar(0xfffd)).replace(u'ü', QChar(0xfffd))));
    }

    // A screen reader told of every address of a long run chatters or falls behind.
    void aLongRun_tellsAssistiveTechnologyAFewTimesASecond_andItsEndAtOnce() {
        ConversionFixture fixture;
        QStringList addresses;
        for (int i = 0; i < 100; ++i)
            addresses << QStringLiteral("a%1@example.com").arg(i);
        Form1& window = fixture.open(addresses);
        QList<QAccessible::Event> told;
        QStringList heard; // the value and the description as each event left them
        window.ProgressBar1->findChild<ProgressAnnouncer*>()->setListener(
            [&](QAccessibleEvent* event) {
                QCOMPARE(event->object(), window.ProgressBar1);
                told << event->type();
                const QAccessibleInterface* bar = event->accessibleInterface();
                heard << bar->text(QAccessible::Value) + u' ' + bar->text(QAccessible::Description);
            });
        QElapsedTimer run;
        run.start();
        fixture.click();
        const qint64 tells = run.elapsed() / 250 + 4; // paced, the first, 100 %, and rest

        QCOMPARE(fixture.dialogs.texts(), QStringList{kDone});
        QVERIFY2(told.count(QAccessible::ValueChanged) <= tells &&
                     told.count(QAccessible::DescriptionChanged) <= tells &&
                     !told.contains(QAccessible::NameChanged),
                 qPrintable(heard.join(u'|')));
        QVERIFY2(heard.size() >= 3 && heard.last() == "0% ", qPrintable(heard.join(u'|')));
    }

    void manyNotMade_listTheFirstTwenty() {
        conversion::ImagesNotMade notMade;
        for (int i = 1; i <= 1000; ++i)
            notMade.add(QString::number(i) + "@example.com", "no");
        const QStringList lines = notMade.closingMessage(1200).split(u'\n');
        QCOMPARE(lines.size(), 2 + 1 + 20 + 1);
        QCOMPARE(lines[2], QString("1000 of 1200 images were not made:"));
        QCOMPARE(lines[22], QString("\"20@example.com\": no"));
        QCOMPARE(lines[23], QString("... and 980 more."));
    }

    void carriedTools_areTheBuiltConverters() {
        QCOMPARE(conversion::LoadConverterTool(conversion::kJpegTool), readAll(CONVERTER_JPG));
        QCOMPARE(conversion::LoadConverterTool(conversion::kPngTool), readAll(CONVERTER_PNG));
    }
};

QTEST_MAIN(TestConversionRun)
#include "test_conversionrun.moc"
