// The conversion run end to end: the real window, the converter tools carried
// inside the program, real images in a temporary output folder.
#include "windowfixture.h"

#include <addresslistview.h>
#include <conversionrun.h>
#include <progressbar.h>

#include <QDir>
#include <QImageReader>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kDone = QStringLiteral("Done.");

// A window set up for a run: a private TEMP and output folder, the addresses
// in the list and the format and mode chosen.
struct ConversionFixture : WindowFixture {
    const QString temp = path("temp"), output = path("out");

    ConversionFixture() {
        QDir().mkpath(temp);
        QDir().mkpath(output);
        qputenv("TEMP", QFile::encodeName(temp));
    }
    Form1& open(const QStringList& addresses, const QString& extension = "png",
                bool wholeList = false) {
        Form1& window = WindowFixture::open();
        window.ListView1->entries().append(addresses);
        (extension == "png" ? window.Option4 : window.Option3)->setChecked(true);
        (wholeList ? window.Option2 : window.Option1)->setChecked(true);
        window.Text1->setText(output + u'/');
        return window;
    }
    void click() { QTest::mouseClick(window().PushButton2, Qt::LeftButton); }
    bool converting() { return window().findChild<ConversionRun*>()->converting(); }

    // A stand-in converter, as one left behind by an interrupted run would be.
    // It logs its arguments and text to "log", then waits for a go-ahead file
    // there so the test can look at the window while it runs.
    void placeWaitingTool(const QString& name) {
        QDir().mkpath(path("log"));
        write(name, QStringLiteral("#!/bin/sh\n"
                                   "log='%1'\n"
                                   "n=$(($(ls \"$log\" | grep -c '^started-') + 1))\n"
                                   "printf '%s\\n' \"$#\" \"$1\" \"$2\" > \"$log/args-$n\"\n"
                                   "cp \"$1\" \"$log/text-$n\"\n"
                                   ": > \"$log/started-$n\"\n"
                                   "while [ ! -e \"$log/go-$n\" ]; do sleep 0.005; done\n"
                                   "printf image > \"$2\"\n")
                        .arg(path("log"))
                        .toUtf8());
        QFile::setPermissions(path(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

// Everything in `folder`, hidden entries too.
QStringList entriesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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
        fixture.placeWaitingTool("temp/TXT2PNG.exe");
        Form1& window = fixture.open({"a@example.com", "sub/b@example.com", "c@example.com"});
        QDir(fixture.output).mkdir("sub");
        window.Text1->setText(fixture.output); // no trailing "/"
        QString during;                        // the window while the second tool runs
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
            if (n == "3")
                window.close();
            fixture.write("log/go-" + n);
        });
        watcher.start(5);
        fixture.click();
        watcher.stop();

        QCOMPARE(during, QString("Processing: b@example.com, 66.6667%, pointer 11, converting 1"));
        QCOMPARE(fixture.terminations, 1);
        // The second click started nothing: three runs, one "Done.".
        QCOMPARE(QDir(log).entryList({"started-*"}).size(), 3);
        QCOMPARE(fixture.dialogs.texts(), QStringList{kDone});
        // Each run got the text file and the image path as two arguments.
        const QString text = fixture.temp + "/emails.txt";
        QCOMPARE(readAll(log + "/args-2"),
                 ("2\n" + text + '\n' + fixture.output + "/sub/b@example.com.png\n").toUtf8());
        QCOMPARE(readAll(log + "/text-2"), QByteArray("sub/b@example.com\r\n"));
        // The tool found in TEMP was used as it was and removed at the end.
        QCOMPARE(readAll(fixture.output + "/a@example.com.png"), QByteArray("image"));
        QCOMPARE(entriesIn(fixture.temp), QStringList());
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
    // their reason, and none is written outside the output folder.
    void eachAddress_imageNamedAsTyped_orReportedNotMadeWithWhy() {
        ConversionFixture fixture;
        const QString tooLong = QString(300, u'x') + "@example.com";
        fixture.open({"same@example.com", "same@example.com", "", "nosub/out@example.com", tooLong,
                      "../escape@example.com", "/abs@example.com"});
        fixture.click();

        QCOMPARE(entriesIn(fixture.output), (QStringList{".png", "same@example.com.png"}));
        QVERIFY(!QFile::exists(fixture.path("escape@example.com.png")));
        QVERIFY(!QFile::exists("/abs@example.com.png"));
        const QString leaves = QStringLiteral("; its image would leave the output folder");
        QCOMPARE(fixture.dialogs.texts(),
                 QStringList{"Done.\n\n4 of 7 images were not made:\n"
                             "\"nosub/out@example.com\": the image file could not be written\n\"" +
                             QString(79, u'x') + QChar(0x2026) +
                             "\": the image file could not be written\n"
                             "\"../escape@example.com\": the address has a \"..\" part" +
                             leaves + "\n\"/abs@example.com\": the address is an absolute path" +
                             leaves});
        QCOMPARE(entriesIn(fixture.temp), QStringList());
    }

    // Nothing is run from a place others could have prepared, and nothing is
    // written through a link; the image is reported not made.
    void unsafeToolOrFolder_isNotUsed_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason"); // TOOL stands for the tool's path
        const QString tool = QStringLiteral("the converter \"TOOL\" ");
        QTest::newRow("group-writable tool")
            << "group-writable" << tool + "can be changed by other users; it was not run";
        QTest::newRow("tool is a symbolic link")
            << "link" << tool + "is a symbolic link; it was not run";
        QTest::newRow("another user's tool")
            << "foreign" << tool + "belongs to another user; it was not run";
        QTest::newRow("tool is a folder") << "folder" << tool + "is not a file; it was not run";
        QTest::newRow("without TEMP, the private folder is a link")
            << "folder link"
            << "there was no private temporary folder to run the converter from";
    }
    void unsafeToolOrFolder_isNotUsed() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        ConversionFixture fixture;
        const QString tool = fixture.temp + "/TXT2PNG.exe", elsewhere = fixture.path("elsewhere");
        fixture.placeWaitingTool("elsewhere/TXT2PNG.exe");
        QVERIFY(fixture.write("log/go-1")); // should it run, it must not wait
        const QByteArray native = QFile::encodeName(tool),
                         runtime = QFile::encodeName(fixture.path("runtime"));
        if (kind == "folder link") {
            qunsetenv("TEMP");
            qputenv("XDG_RUNTIME_DIR", runtime);
            QVERIFY(QDir().mkpath(runtime) && ::chmod(runtime, 0700) == 0);
            QVERIFY(QFile::link(elsewhere, runtime + "/orvanta"));
        } else if (kind == "link") {
            QVERIFY(QFile::link(elsewhere + "/TXT2PNG.exe", tool));
        } else if (kind == "folder") {
            QVERIFY(QDir().mkpath(tool));
        } else {
            QVERIFY(QFile::copy(elsewhere + "/TXT2PNG.exe", tool));
            QVERIFY(::chmod(native, kind == "group-writable" ? 0770 : 0700) == 0);
            if (kind == "foreign")
                QVERIFY(::chown(native, 65534, 65534) == 0);
        }
        fixture.open({"a@example.com"});
        fixture.click();

        const QStringList texts = fixture.dialogs.texts();
        QCOMPARE(texts.last(), "Done.\n\n1 of 1 image was not made:\n\"a@example.com\": " +
                                   reason.replace("TOOL", tool));
        // Only the refused private folder is an error of its own.
        QCOMPARE(texts.size(), kind == "folder link" ? 2 : 1);
        QVERIFY(kind != "folder link" || texts[0].contains("PushButton2_Click at line 110\r\r"));
        QVERIFY(!QFile::exists(fixture.path("log/started-1")));
        QCOMPARE(entriesIn(elsewhere), QStringList{"TXT2PNG.exe"});
        if (kind != "folder")
            QVERIFY(!QFileInfo::exists(tool) && !QFileInfo(tool).isSymLink());
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
        const auto drawnDirectly = [&](const QString& text) {
            fixture.write("direct.txt", text.toUtf8() + "\r\n");
            QProcess::execute(CONVERTER_PNG,
                              {fixture.path("direct.txt"), fixture.path("direct.png")});
            return QImage(fixture.path("direct.png"));
        };
        QCOMPARE(made, drawnDirectly(address));
        QString replaced = address;
        QVERIFY(made !=
                drawnDirectly(replaced.replace(u'ö', QChar(0xfffd)).replace(u'ü', QChar(0xfffd))));
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
