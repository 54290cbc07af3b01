// The pieces the command line builds a web page's images from: colours as a
// page writes them, the markup, the keyed {hash}, the names of scaled and
// dark images.
#include <cli/addresshash.h>
#include <cli/csscolor.h>
#include <cli/imagemarkup.h>
#include <cli/imageurl.h>
#include <cli/imagevariant.h>

#include <QTemporaryDir>
#include <QTest>

class WebImagesTest : public QObject {
    Q_OBJECT

private slots:
    void cssColors_takenAndRefused_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("rgb"); // empty: refused
        QTest::addColumn<QString>("why");
        QTest::newRow("short hex doubles digits") << "#1aF"
                                                  << "11aaff"
                                                  << "";
        QTest::newRow("long hex") << "#121212"
                                  << "121212"
                                  << "";
        QTest::newRow("name in any case") << "RebeccaPurple"
                                          << "663399"
                                          << "";
        QTest::newRow("grey spelt with e") << "darkslategrey"
                                           << "2f4f4f"
                                           << "";
        QTest::newRow("transparent") << "transparent"
                                     << "clear"
                                     << "";
        QTest::newRow("alpha part") << "#0008"
                                    << ""
                                    << "alpha";
        QTest::newRow("long alpha part") << "#00000080"
                                         << ""
                                         << "alpha";
        QTest::newRow("five digits") << "#12345"
                                     << ""
                                     << "is not a colour";
        QTest::newRow("not hex") << "#ggg"
                                 << ""
                                 << "is not a colour";
        QTest::newRow("Arabic-Indic digits") << "#\u0661\u0662\u0663"
                                             << ""
                                             << "is not a colour";
        QTest::newRow("bare hex") << "121212"
                                  << ""
                                  << "is not a colour";
        QTest::newRow("function") << "rgb(0 0 0)"
                                  << ""
                                  << "functions";
        QTest::newRow("unknown name") << "blurple"
                                      << ""
                                      << "is not a colour";
        QTest::newRow("empty") << ""
                               << ""
                               << "is not a colour";
    }

    void cssColors_takenAndRefused() {
        QFETCH(QString, text);
        QFETCH(QString, rgb);
        QFETCH(QString, why);
        QString error;
        const std::optional<cli::CssColor> color = cli::ParseCssColor(text, &error);
        QCOMPARE(bool(color), !rgb.isEmpty());
        if (!color) {
            QVERIFY2(error.contains(why) && error.contains(text), qPrintable(error));
            return;
        }
        const QString got = color->transparent ? QStringLiteral("clear")
                                               : QString::asprintf("%02x%02x%02x", color->rgb.r,
                                                                   color->rgb.g, color->rgb.b);
        QCOMPARE(got, rgb);
    }

    // Names with spaces, commas and "%" reach their files through srcset, and
    // the alternative text cannot close its attribute.
    void markup_lightAlone_andWithTheDarkSet() {
        const QString name = QStringLiteral("a b,c%@example.org");
        const auto url = [&](const cli::ImageVariant& variant) {
            return cli::ImageUrl(QStringLiteral("img"), cli::VariantName(name, variant) + ".png");
        };
        cli::AddressImages images{{{1, url({1})}, {2, url({2})}}, {}, 131, 15, "<\"Ann\" & 'Bo'>"};
        const QString img = QStringLiteral(
            "<img src=\"img/a%20b%2Cc%25@example.org.png\" "
            "srcset=\"img/a%20b%2Cc%25@example.org.png 1x, img/a%20b%2Cc%25@example.org@2x.png "
            "2x\" "
            "width=\"131\" height=\"15\" alt=\"&lt;&quot;Ann&quot; &amp; &#39;Bo&#39;&gt;\">");
        QCOMPARE(cli::ImageMarkup(images), img);
        images.dark = {{1, url({1, true})}, {2, url({2, true})}};
        QCOMPARE(cli::ImageMarkup(images),
                 "<picture><source media=\"(prefers-color-scheme: dark)\" "
                 "srcset=\"img/a%20b%2Cc%25@example.org@dark.png 1x, "
                 "img/a%20b%2Cc%25@example.org@dark@2x.png 2x\">" +
                     img + "</picture>");
    }

    // Names a run with scaled or dark images gives cannot be taken by another
    // address's name.
    void reservedNames() {
        QVERIFY(cli::ReservedNameReason("info@dark"));
        QVERIFY(cli::ReservedNameReason("x@3x"));
        QVERIFY(!cli::ReservedNameReason("ann@example.org"));
        QVERIFY(!cli::ReservedNameReason("ann@2x.example.org"));
    }

    // RFC 4231, test case 2; a key file's final line end is not part of it.
    void keyedHash() {
        QCOMPARE(cli::AddressHash("what do ya want for nothing?", "Jefe"), "5bdcc146bf60754e");
        QCOMPARE(cli::AddressHash("ann@example.org", {}), "438c4c7afe600cdf");
        QTemporaryDir dir;
        QFile file(dir.filePath("key"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Jefe\n");
        file.close();
        QString error;
        QCOMPARE(cli::ReadKeyFile(file.fileName(), &error).value_or("?"), "Jefe");
        QVERIFY(file.resize(0));
        QVERIFY(!cli::ReadKeyFile(file.fileName(), &error));
        QVERIFY(!cli::ReadKeyFile(dir.filePath("none"), &error));
        QVERIFY(error.contains("none"));
    }
};

QTEST_GUILESS_MAIN(WebImagesTest)
#include "test_webimages.moc"
