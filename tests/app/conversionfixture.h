#pragma once

#include "windowfixture.h"

#include <addresslistview.h>
#include <conversionrun.h>

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// A window set up for a conversion: a private TEMP and output folder, the
// addresses in the list and the mode and format chosen.
class ConversionFixture : public WindowFixture {
public:
    enum Mode { EachAddress, WholeList };

    ConversionFixture() {
        QDir().mkpath(temp());
        QDir().mkpath(output());
        qputenv("TEMP", QFile::encodeName(temp()));
    }

    QString temp() const { return path(QStringLiteral("temp")); }
    QString output() const { return path(QStringLiteral("out")); }
    QString outputFile(const QString& name) const { return output() + u'/' + name; }

    Form1& open(const QStringList& addresses, const QString& extension = QStringLiteral("png"),
                Mode mode = EachAddress) {
        Form1& window = WindowFixture::open();
        window.ListView1->entries().append(addresses);
        (extension == QLatin1String("png") ? window.Option4 : window.Option3)->setChecked(true);
        (mode == EachAddress ? window.Option1 : window.Option2)->setChecked(true);
        window.Text1->setText(output() + u'/');
        return window;
    }

    void click() { QTest::mouseClick(window().PushButton2, Qt::LeftButton); }
    ConversionRun& run() { return *window().findChild<ConversionRun*>(); }

    QStringList tempEntries() const {
        return QDir(temp()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                      QDir::NoDotAndDotDot);
    }
};
