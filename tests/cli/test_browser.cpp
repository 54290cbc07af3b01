// The README's site-build example, run as written in a fresh folder, and its
// page shown by headless Chromium at device scale factors 1, 2 and 3 and in
// the dark colour scheme: every image lands on the screen pixel for pixel,
// and the dark scheme shows the dark set.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

// The indented block that follows the README's line naming the example.
QString readmeExample() {
    QFile readme(QStringLiteral(README_PATH));
    if (!readme.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(readme.readAll()).split(u'\n');
    qsizetype at = 0;
    while (at < lines.size() && !lines[at].startsWith(QStringLiteral("A static site's build")))
        ++at;
    while (at < lines.size() && !lines[at].startsWith(QStringLiteral("    ")))
        ++at;
    QString script;
    for (; at < lines.size(); ++at) {
        if (!lines[at].isEmpty() && !lines[at].startsWith(QStringLiteral("    ")))
            break;
        script += lines[at].mid(4) + u'\n';
    }
    return script;
}

// Whether the image, laid over the page's ground, shows somewhere in the
// screenshot within 2 levels a channel.
bool shows(const QImage& image, const QImage& shot, QRgb ground) {
    const auto near = [&](QRgb pixel, QRgb seen) {
        const int alpha = qAlpha(pixel);
        const auto over = [&](int channel, int below) {
            return (channel * alpha + below * (255 - alpha) + 127) / 255;
        };
        return std::abs(over(qRed(pixel), qRed(ground)) - qRed(seen)) <= 2 &&
               std::abs(over(qGreen(pixel), qGreen(ground)) - qGreen(seen)) <= 2 &&
               std::abs(over(qBlue(pixel), qBlue(ground)) - qBlue(seen)) <= 2;
    };
    // The most inked pixel first: most places fail there at once.
    QPoint inked;
    for (int j = 0; j < image.height(); ++j)
        for (int i = 0; i < image.width(); ++i)
            if (qAlpha(image.pixel(i, j)) > qAlpha(image.pixel(inked)) ||
                qGray(image.pixel(i, j)) < qGray(image.pixel(inked)))
                inked = {i, j};
    const auto fits = [&](int x, int y) {
        if (!near(image.pixel(inked), shot.pixel(x + inked.x(), y + inked.y())))
            return false;
        for (int j = 0; j < image.height(); ++j) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(j));
            const auto* seen = reinterpret_cast<const QRgb*>(shot.constScanLine(y + j)) + x;
            for (int i = 0; i < image.width(); ++i)
                if (!near(row[i], seen[i]))
                    return false;
        }
        return true;
    };
    for (int y = 0; y + image.height() <= shot.height(); ++y)
        for (int x = 0; x + image.width() <= shot.width(); ++x)
            if (fits(x, y))
                return true;
    return false;
}

} // namespace

class BrowserTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString browser_;

    QString path(const QString& name) const { return dir_.filePath(name); }

    QImage screenshot(int scale, bool dark) {
        const QString shot =
            path(QStringLiteral("shot-%1%2.png").arg(scale).arg(dark ? "-dark" : ""));
        QStringList arguments{"--headless",
                              "--no-sandbox",
                              "--disable-gpu",
                              "--hide-scrollbars",
                              "--force-color-profile=srgb",
                              "--user-data-dir=" + path("profile"),
                              QStringLiteral("--force-device-scale-factor=%1").arg(scale),
                              "--window-size=600,300",
                              "--screenshot=" + shot,
                              QUrl::fromLocalFile(path("site/index.html")).toString()};
        if (dark)
            arguments.insert(0, "--blink-settings=preferredColorScheme=0");
        QProcess chromium;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", path("home"));
        chromium.setProcessEnvironment(environment);
        chromium.start(browser_, arguments);
        if (!chromium.waitForFinished(120000))
            chromium.kill();
        return QImage(shot).convertToFormat(QImage::Format_ARGB32);
    }

    // The images of one set at one scale, by the names the README gives.
    QList<QImage> images(int scale, bool dark) const {
        QList<QImage> found;
        const QString pattern =
            QStringLiteral("^[0-9a-f]{16}%1%2\\.png$")
                .arg(dark ? "@dark" : "")
                .arg(scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale));
        const QRegularExpression name(pattern);
        for (const QString& file : QDir(path("site/img")).entryList(QDir::Files))
            if (name.match(file).hasMatch())
                found.append(
                    QImage(path("site/img/" + file)).convertToFormat(QImage::Format_ARGB32));
        return found;
    }

private slots:
    void initTestCase() {
        browser_ = QStandardPaths::findExecutable(QStringLiteral("chromium"));
        if (browser_.isEmpty())
            QSKIP("No browser: chromium is not installed (scripts/deps.sh installs it).");
        const QString example = readmeExample();
        QVERIFY2(example.contains("orvanta --convert"), qPrintable(example));
        QProcess shell;
        shell.setWorkingDirectory(dir_.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PATH", QFileInfo(QStringLiteral(ORVANTA_PROGRAM)).absolutePath() +
                                       u':' + environment.value("PATH"));
        shell.setProcessEnvironment(environment);
        shell.start("sh", {"-eu", "-c", example});
        QVERIFY(shell.waitForFinished(120000));
        QVERIFY2(shell.exitCode() == 0, shell.readAllStandardError().constData());
        QVERIFY(QFile::exists(path("site/index.html")));
    }

    void imagesLandPixelForPixel_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<bool>("dark");
        QTest::newRow("1x") << 1 << false;
        QTest::newRow("2x") << 2 << false;
        QTest::newRow("3x") << 3 << false;
        QTest::newRow("dark, 2x") << 2 << true;
    }

    void imagesLandPixelForPixel() {
        QFETCH(int, scale);
        QFETCH(bool, dark);
        const QImage shot = screenshot(scale, dark);
        QVERIFY(!shot.isNull());
        QCOMPARE(shot.width(), 600 * scale);
        const QRgb ground = shot.pixel(0, 0);
        const QList<QImage> shown = images(scale, dark);
        QVERIFY(shown.size() >= 2);
        for (const QImage& image : shown)
            QVERIFY2(shows(image, shot, ground), "each image of this scale and set, unscaled");
        for (const QImage& other : images(scale, !dark))
            QVERIFY2(!shows(other, shot, ground), "the other colour set is not shown");
    }
};

QTEST_GUILESS_MAIN(BrowserTest)
#include "test_browser.moc"
