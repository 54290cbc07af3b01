// A run in a temporary folder that is shared, full, or used by a second
// program at the same time.
#include "../tmpfsmount.h"
#include "conversionfixture.h"

#include <QScopeGuard>

#include <sys/stat.h>
#include <unistd.h>

class TestRunSafety : public QObject {
    Q_OBJECT
private slots:
    void plantedFilesInASharedTemp_areNeverUsed_data() {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("emails.txt links to a file of the user's") << false;
        QTest::newRow("emails.txt is a named pipe") << true;
    }
    void plantedFilesInASharedTemp_areNeverUsed() {
        QFETCH(bool, pipe);
        ConversionFixture fixture;
        const QString text = fixture.temp + "/emails.txt", notes = fixture.path("notes.txt");
        QVERIFY(::chmod(QFile::encodeName(fixture.temp), 01777) == 0);
        QVERIFY(fixture.write("temp/TXT2PNG.exe", fixture.waitingTool()) &&
                fixture.write("log/go-1") && fixture.write("notes.txt", "my notes"));
        QVERIFY(::chmod(QFile::encodeName(fixture.temp + "/TXT2PNG.exe"), 0755) == 0);
        QVERIFY(pipe ? ::mkfifo(QFile::encodeName(text), 0666) == 0 : QFile::link(notes, text));
        fixture.open({"a@example.com"});
        fixture.click();

        QCOMPARE(fixture.dialogs.texts(), QStringList{kDone});
        QCOMPARE(QImage(fixture.output + "/a@example.com.png"),
                 fixture.drawnDirectly("a@example.com"));
        QVERIFY(!QFile::exists(fixture.path("log/started-1")));
        QCOMPARE(readAll(notes), QByteArray("my notes"));
        QCOMPARE(entriesIn(fixture.temp), (QStringList{"emails.txt", "TXT2PNG.exe"}));
    }

    // Another user made every private folder first: refused once, in a box;
    // every image then says why.
    void privateFoldersThatAreLinks_areRefused() {
        ConversionFixture fixture;
        const QByteArray runtime = QFile::encodeName(fixture.path("runtime"));
        const QByteArray tmp = QFile::encodeName(fixture.path("tmp")),
                         cache = QFile::encodeName(fixture.path("cache"));
        const QByteArray savedTmp = qgetenv("TMPDIR");
        const auto restore = qScopeGuard([&] {
            savedTmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", savedTmp);
            qunsetenv("XDG_CACHE_HOME");
        });
        qunsetenv("TEMP");
        qputenv("XDG_RUNTIME_DIR", runtime);
        qputenv("TMPDIR", tmp);
        qputenv("XDG_CACHE_HOME", cache);
        QVERIFY(QDir().mkpath(runtime) && ::chmod(runtime, 0700) == 0);
        QVERIFY(QDir().mkpath(tmp) && QDir().mkpath(cache));
        QVERIFY(QDir().mkpath(fixture.path("elsewhere")));
        for (const QByteArray& squatted :
             {runtime + "/orvanta", tmp + "/orvanta-" + QByteArray::number(::geteuid()),
              cache + "/orvanta"})
            QVERIFY(QFile::link(fixture.path("elsewhere"), squatted));
        fixture.open({"a@example.com", "b@example.com"});
        fixture.click();

        const QStringList texts = fixture.dialogs.texts();
        QCOMPARE(texts.size(), 2);
        QVERIFY(texts[0].contains("PushButton2_Click at line 110\r\r"));
        const QString why = "The temporary folder \"" + runtime +
                            "/orvanta\" is not private: it is a symbolic link. Remove it or set "
                            "TEMP to a folder of your own.";
        QCOMPARE(texts[1], "Done.\n\n2 of 2 images were not made:\n\"a@example.com\": " + why +
                               "\n\"b@example.com\": " + why);
        QCOMPARE(entriesIn(fixture.path("elsewhere")), QStringList());
    }

    void fullTemporaryFolder_oneBox_theRestCountedInTheClosingReport() {
        ConversionFixture fixture;
        // Room for the two tools and not a byte more.
        qint64 room = 0;
        for (const auto& tool : {conversion::kJpegTool, conversion::kPngTool})
            room += (conversion::LoadConverterTool(tool).size() + 4095) / 4096 * 4096;
        const TmpfsMount full(fixture.temp, 0, "size=" + QByteArray::number(room));
        if (!full.mounted())
            QSKIP("no tmpfs can be mounted here (needs root outside a locked-down container)");
        fixture.open({"a@example.com", "b@example.com", "c@example.com"});
        fixture.click();

        const QStringList texts = fixture.dialogs.texts();
        QCOMPARE(texts.size(), 2);
        QVERIFY2(texts[0].contains("No space left on device\r\nin ") &&
                     texts[0].contains("PushButton2_Click at line 154\r\r"),
                 qPrintable(texts[0]));
        QVERIFY2(texts[1].startsWith("Done.\n\n3 of 3 images were not made:\n\"a@example.com\": "
                                     "Cannot write") &&
                     texts[1].endsWith("No space left on device\n"
                                       "... and 2 more failed the same way."),
                 qPrintable(texts[1]));
        QCOMPARE(entriesIn(fixture.output), QStringList()); // no tool ran on a stale text
        QCOMPARE(entriesIn(fixture.temp), QStringList());
    }

    // Addresses of two lengths tell the images of the two programs apart.
    void twoProgramsAtOnce_eachMakeExactlyTheirOwnImages() {
        ConversionFixture fixture;
        const int count = 100;
        const QStringList formats{"a%1@example.com", "bbbbbbbbbb%1@example.com"};
        QList<QProcess*> programs;
        for (const QString& format : formats) {
            const QString name = format.left(1);
            QByteArray list;
            for (int i = 0; i < count; ++i)
                list += format.arg(i, 3, 10, QChar(u'0')).toUtf8() + '\n';
            QVERIFY(fixture.write(name + ".txt", list) && QDir().mkpath(fixture.path(name)));
            auto* program = new QProcess(this);
            program->start(CONVERT_IN_WINDOW, {fixture.path(name + ".txt"), fixture.path(name)});
            programs << program;
        }
        for (int n = 0; n < formats.size(); ++n) {
            QVERIFY(programs[n]->waitForFinished(240000));
            QCOMPARE(programs[n]->readAllStandardOutput(), QByteArray("Done.\n"));
            const QString folder = fixture.path(formats[n].left(1));
            const QString first = formats[n].arg("000");
            const QImage expected = fixture.drawnDirectly(first);
            QCOMPARE(QImage(folder + "/" + first + ".png"), expected);
            const QStringList made = entriesIn(folder);
            QCOMPARE(made.size(), count);
            for (const QString& image : made)
                QCOMPARE(QImage(folder + "/" + image).size(), expected.size());
        }
        QCOMPARE(entriesIn(fixture.temp), QStringList());
    }
};

QTEST_MAIN(TestRunSafety)
#include "test_runsafety.moc"
