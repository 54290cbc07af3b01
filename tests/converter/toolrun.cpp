#include "toolrun.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

QString toolPath(Tool tool) {
    return tool == Tool::Png ? TXT2PNG_PATH : TXT2JPG_PATH;
}

ToolRun runTool(Tool tool, const QStringList& args, const std::function<void()>& childSetup) {
    QProcess process;
    if (childSetup)
        process.setChildProcessModifier(childSetup);
    process.start(toolPath(tool), args);
    ToolRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitedNormally = process.exitStatus() == QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

QImage drawText(Tool tool, const QString& folder, const QByteArray& text) {
    const QString textPath = QDir(folder).filePath("emails.txt");
    const QString imagePath = QDir(folder).filePath(tool == Tool::Png ? "out.png" : "out.jpg");
    QFile::remove(imagePath);
    writeFile(textPath, text);
    const ToolRun run = runTool(tool, {textPath, imagePath});
    if (!run.exitedNormally || run.exitCode != 0) {
        qWarning() << "tool failed:" << run.exitCode << run.err;
        return {};
    }
    return QImage(imagePath);
}

OnlySystemFont::OnlySystemFont(const QString& fontFile) : previous_(qgetenv("FONTCONFIG_FILE")) {
    QVERIFY(QDir(dir_.path()).mkdir("fonts"));
    if (!fontFile.isEmpty())
        QVERIFY(QFile::link(fontFile, dir_.filePath("fonts/font.ttf")));
    const QString config = dir_.filePath("fonts.conf");
    writeFile(config, QString("<?xml version=\"1.0\"?>\n<fontconfig><dir>%1</dir>"
                              "<cachedir>%2</cachedir></fontconfig>\n")
                          .arg(dir_.filePath("fonts"), dir_.filePath("cache"))
                          .toUtf8());
    qputenv("FONTCONFIG_FILE", config.toLocal8Bit());
}

OnlySystemFont::~OnlySystemFont() {
    if (previous_.isNull())
        qunsetenv("FONTCONFIG_FILE");
    else
        qputenv("FONTCONFIG_FILE", previous_);
}
