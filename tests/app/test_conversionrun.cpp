// The conversion run end to end: the real window, the converter tools carried
// inside the program, real images in a temporary output folder.
#include "conversionfixture.h"

#include <progressbar.h>

#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kDone = QStringLiteral("Done.");

QByteArray signatureOf(const QString& extension) {
    return extension == QLatin1String("png") ? QByteArray("\x89PNG\r\n\x1a\n", 8)
                                             : QByteArray("\xff\xd8\xff", 3);
}

// A real image of that format, `lines` lines of 10-point text high and about
// `longest` characters wide.
void verifyImage(const QString& path, const QString& extension, int lines, int longest) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    QVERIFY(file.readAll().startsWith(signatureOf(extension)));
    const QImage image(path);
    QVERIFY(!image.isNull());
    const int lineHeight = 13; // 10 pt at 96 DPI is 13.3 px
    QVERIFY2(image.height() >= lines * lineHeight && image.height() <= lines * (lineHeight + 1) + 3,
             qPrintable(QString::number(image.height())));
    QVERIFY2(image.width() >= longest * 7 && image.width() <= longest * 9 + 8,
             qPrintable(QString::number(image.width())));
}

// A stand-in converter placed in TEMP before the run, as one left behind by
// an interrupted run would be. It logs its arguments and text, then waits for
// a go-ahead file so the test can look at the window while it runs.
void placeWaitingTool(const QString& path, const QString& log) {
    QFile tool(path);
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.write(QStringLiteral("#!/bin/sh\n"
                              "log='%1'\n"
                              "n=$(ls \"$log\" | grep -c '^started-')\n"
                              "n=$((n + 1))\n"
                              "printf '%s\\n' \"$#\" \"$1\" \"$2\" > \"$log/args-$n\"\n"
                              "cp \"$1\" \"$log/text-$n\"\n"
                              ": > \"$log/started-$n\"\n"
                              "while [ ! -e \"$log/go-$n\" ]; do sleep 0.005; done\n"
                              "printf image > \"$2\"\n")
                   .arg(log)
                   .toUtf8());
    tool.close();
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0700) == 0);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
        Form1& window =
            fixture.open(addresses, extension,
                         wholeList ? ConversionFixture::WholeList : ConversionFixture::EachAddress);
        fixture.click();

        QCOMPARE(fixture.dialogs.texts(), QStringList{kDone});
        const QStringList made = QDir(fixture.output()).entryList(QDir::Files);
        if (wholeList) {
            QCOMPARE(made, QStringList{"Orvanta_Result." + extension});
            verifyImage(fixture.outputFile(made.first()), extension, 3, 23);
        } else {
            QCOMPARE(made.size(), 3);
            for (const QString& address : addresses)
                verifyImage(fixture.outputFile(address + u'.' + extension), extension, 1,
                            address.size());
        }
        QCOMPARE(fixture.tempEntries(), QStringList());
        QCOMPARE(window.pointer(), Form1::kPointerDefault);
        QCOMPARE(window.ProgressBar1->value(), 0.0);
        QCOMPARE(window.ProgressBar1->caption(), QString("Progress Bar"));
        QVERIFY(!fixture.run().converting());
    }

    // A waiting stand-in tool lets the test look at the window during the
    // second of three tool runs, click again there and close the window.
    void duringARun_barShowsTheAddress_aSecondClickIsIgnored_andClosingEnds() {
        ConversionFixture fixture;
        const QString log = fixture.path("log");
        QDir().mkpath(log);
        placeWaitingTool(fixture.temp() + "/TXT2PNG.exe", log);
        Form1& window = fixture.open({"a@example.com", "sub/b@example.com", "c@example.com"});
        QDir(fixture.output()).mkdir("sub");
        window.Text1->setText(fixture.output()); // no trailing "/"

        QString caption;
        double value = -1;
        int pointer = -1;
        bool converting = false;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, this, [&] {
            for (int n = 1; n <= 3; ++n) {
                if (!QFile::exists(log + "/started-" + QString::number(n)) ||
                    QFile::exists(log + "/go-" + QString::number(n)))
                    continue;
                if (n == 2) {
                    caption = window.ProgressBar1->caption();
                    value = window.ProgressBar1->value();
                    pointer = window.pointer();
                    converting = fixture.run().converting();
                    fixture.click();
                }
                if (n == 3)
                    window.close();
                QFile(log + "/go-" + QString::number(n)).open(QIODevice::WriteOnly);
            }
        });
        watcher.start(5);
        fixture.click();
        watcher.stop();

        QCOMPARE(caption, QString("Processing: b@example.com"));
        QCOMPARE(value, 2.0 / 3.0 * 100);
        QCOMPARE(pointer, Form1::kPointerBusy);
        QVERIFY(converting);
        QCOMPARE(fixture.terminations, 1);
        // The second click started nothing: three runs, one "Done.".
        QCOMPARE(QDir(log).entryList({"started-*"}).size(), 3);
        QCOMPARE(fixture.dialogs.texts(), QStringList{kDone});
        // Each run got the text file and the image path as two arguments.
        const QString text = fixture.temp() + "/emails.txt";
        QCOMPARE(readAll(log + "/args-2"),
                 ("2\n" + text + '\n' + fixture.output() + "/sub/b@example.com.png\n").toUtf8());
        QCOMPARE(readAll(log + "/text-2"), QByteArray("sub/b@example.com\r\n"));
        // The tool found in TEMP was used as it was and removed at the end.
        QCOMPARE(readAll(fixture.outputFile("a@example.com.png")), QByteArray("image"));
        QCOMPARE(fixture.tempEntries(), QStringList());
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
        QFile(fixture.path("file")).open(QIODevice::WriteOnly);
        Form1& window = fixture.open(addresses);
        window.Text1->setText(folder.isEmpty() ? folder : fixture.path(folder));
        window.setPointer(Form1::kPointerCustom);
        fixture.click();

        QCOMPARE(fixture.dialogs.texts(), QStringList{message});
        QCOMPARE(fixture.tempEntries(), QStringList());
        QCOMPARE(QDir(fixture.output()).entryList(QDir::Files), QStringList());
        QCOMPARE(window.pointer(), Form1::kPointerCustom);
        QVERIFY(!fixture.run().converting());

        window.ListView1->entries().append(QStringLiteral("x@example.com"));
        window.Text1->setText(fixture.output() + u'/');
        fixture.click();
        QCOMPARE(fixture.dialogs.texts().last(), kDone);
        QVERIFY(QFile::exists(fixture.outputFile("x@example.com.png")));
    }

    void eachAddress_namesFollowTheAddressAsTyped() {
        ConversionFixture fixture;
        Form1& window = fixture.open({"same@example.com", "same@example.com", "",
                                      "sub/in@example.com", "nosub/out@example.com"});
        QDir(fixture.output()).mkdir("sub");
        window.Text1->setText(fixture.output());
        fixture.click();

        QCOMPARE(QDir(fixture.output()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{".png", "same@example.com.png"}));
        QVERIFY(QFile::exists(fixture.outputFile("sub/in@example.com.png")));
        QCOMPARE(fixture.dialogs.texts(),
                 QStringList{"Done.\n\n1 of 5 images was not made:\n"
                             "\"nosub/out@example.com\": the image file could not be written"});
    }

    void notMade_areNamedWithTheirReason_andNothingLeavesTheFolder() {
        ConversionFixture fixture;
        const QString tooLong = QString(300, u'x') + "@example.com";
        fixture.open({"good@example.com", tooLong, "../escape@example.com", "/abs@example.com"});
        fixture.click();

        QCOMPARE(fixture.dialogs.texts(),
                 QStringList{"Done.\n\n3 of 4 images were not made:\n\"" + QString(79, u'x') +
                             QChar(0x2026) +
                             "\": the image file could not be written\n"
                             "\"../escape@example.com\": the address has a \"..\" part; its image "
                             "would leave the output folder\n"
                             "\"/abs@example.com\": the address is an absolute path; its image "
                             "would leave the output folder"});
        QVERIFY(QFile::exists(fixture.outputFile("good@example.com.png")));
        QVERIFY(!QFile::exists(fixture.path("escape@example.com.png")));
        QCOMPARE(fixture.tempEntries(), QStringList());
    }

    void unsafeToolFiles_areNotRun_andRemoved_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("group-writable") << "group-writable"
                                        << "can be changed by other users";
        QTest::newRow("symbolic link") << "link"
                                       << "is a symbolic link";
        QTest::newRow("another user's") << "foreign"
                                        << "belongs to another user";
        QTest::newRow("folder") << "folder"
                                << "is not a file";
    }
    void unsafeToolFiles_areNotRun_andRemoved() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        ConversionFixture fixture;
        const QString tool = fixture.temp() + "/TXT2PNG.exe";
        const QString elsewhere = fixture.path("real-tool");
        placeWaitingTool(elsewhere, fixture.path("log"));
        const QByteArray native = QFile::encodeName(tool);
        if (kind == "link") {
            QVERIFY(QFile::link(elsewhere, tool));
        } else if (kind == "folder") {
            QVERIFY(QDir().mkpath(tool));
        } else {
            QVERIFY(QFile::copy(elsewhere, tool));
            QVERIFY(::chmod(native.constData(), kind == "group-writable" ? 0770 : 0700) == 0);
            if (kind == "foreign")
                QVERIFY(::chown(native.constData(), 65534, 65534) == 0);
        }
        fixture.open({"a@example.com"});
        fixture.click();

        QCOMPARE(fixture.dialogs.texts().size(), 1);
        const QString text = fixture.dialogs.texts().first();
        QVERIFY2(text.startsWith("Done.\n\n1 of 1 image was not made:\n\"a@example.com\": "
                                 "the converter \"" +
                                 tool + "\" " + reason),
                 qPrintable(text));
        QVERIFY(!QFile::exists(fixture.path("log/started-1")));
        if (kind != "folder")
            QVERIFY(!QFileInfo::exists(tool) && !QFileInfo(tool).isSymLink());
        QVERIFY(QFile::exists(elsewhere));
    }

    void addressOutsideAscii_isDrawnAsTyped() {
        ConversionFixture fixture;
        const QString address = QStringLiteral("jörg.müller@bücher.de");
        fixture.open({address});
        fixture.click();
        QCOMPARE(fixture.dialogs.texts(), QStringList{kDone});
        const QImage made(fixture.outputFile(address + ".png"));
        QVERIFY(!made.isNull());

        // The converter run directly on the same text in UTF-8 draws the same.
        const auto drawDirectly = [&](const QString& text, const QString& image) {
            QFile file(fixture.path("direct.txt"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text.toUtf8() + "\r\n");
            file.close();
            QCOMPARE(QProcess::execute(CONVERTER_PNG, {file.fileName(), image}), 0);
        };
        drawDirectly(address, fixture.path("direct.png"));
        QCOMPARE(made, QImage(fixture.path("direct.png")));
        QString replaced = address;
        replaced.replace(u'ö', QChar(0xfffd)).replace(u'ü', QChar(0xfffd));
        drawDirectly(replaced, fixture.path("replaced.png"));
        QVERIFY(made != QImage(fixture.path("replaced.png")));
    }

    void withoutTemp_aFolderThatIsNotPrivate_isNotUsed() {
        ConversionFixture fixture;
        qunsetenv("TEMP");
        const QString runtime = fixture.path("runtime");
        const QString target = fixture.path("target");
        QDir().mkpath(runtime);
        QDir().mkpath(target);
        QVERIFY(::chmod(QFile::encodeName(runtime).constData(), 0700) == 0);
        QVERIFY(QFile::link(target, runtime + "/orvanta"));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        fixture.open({"a@example.com"});
        fixture.click();

        QCOMPARE(fixture.dialogs.warnings().size(), 1);
        QVERIFY(fixture.dialogs.warnings().first().contains("is not private: it is a symbolic "
                                                            "link"));
        QVERIFY(fixture.dialogs.warnings().first().contains("PushButton2_Click at line 110"));
        QCOMPARE(fixture.dialogs.texts().last(),
                 QString("Done.\n\n1 of 1 image was not made:\n\"a@example.com\": there was no "
                         "private temporary folder to run the converter from"));
        QCOMPARE(QDir(target).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    void manyNotMade_listTheFirstTwenty() {
        ImagesNotMade notMade;
        for (int i = 1; i <= 1000; ++i)
            notMade.add(QString::number(i) + "@example.com", "no");
        const QStringList lines = notMade.closingMessage(1200).split(u'\n');
        QCOMPARE(lines.size(), 2 + 1 + 20 + 1);
        QCOMPARE(lines[2], QString("1000 of 1200 images were not made:"));
        QCOMPARE(lines[22], QString("\"20@example.com\": no"));
        QCOMPARE(lines[23], QString("... and 980 more."));
    }

    void carriedTools_areTheBuiltConverters() {
        QCOMPARE(LoadConverterTool(kJpegTool), readAll(CONVERTER_JPG));
        QCOMPARE(LoadConverterTool(kPngTool), readAll(CONVERTER_PNG));
    }
};

QTEST_MAIN(TestConversionRun)
#include "test_conversionrun.moc"
