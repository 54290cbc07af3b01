#pragma once

#include "windowfixture.h"

#include <addresslistview.h>
#include <conversionrun.h>

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

inline const QString kDone = QStringLiteral("Done.");

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

    // A stand-in converter script. It logs its arguments, the folder it runs
    // in and its text to "log",
    // then waits for a go-ahead file there so the test can look at the window
    // while it runs.
    QByteArray waitingTool() {
        QDir().mkpath(path("log"));
        return QStringLiteral("#!/bin/sh\n"
                              "log='%1'\n"
                              "n=$(($(ls \"$log\" | grep -c '^started-') + 1))\n"
                              "printf '%s\\n' \"$#\" \"$1\" \"$2\" \"$PWD\" > \"$log/args-$n\"\n"
                              "cp \"$1\" \"$log/text-$n\"\n"
                              ": > \"$log/started-$n\"\n"
                              "while [ ! -e \"$log/go-$n\" ]; do sleep 0.005; done\n"
                              "printf image > \"$2\"\n")
            .arg(path("log"))
            .toUtf8();
    }

    // What the converter draws for `text` when run directly.
    QImage drawnDirectly(const QString& text) {
        write("direct.txt", text.toUtf8() + "\r\n");
        QProcess::execute(CONVERTER_PNG, {path("direct.txt"), path("direct.png")});
        return QImage(path("direct.png"));
    }
};

// Everything in `folder`, hidden entries too.
inline QStringList entriesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
