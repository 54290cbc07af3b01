// A second program converting at the same time: the real window converts the
// addresses of a list file into PNG images, one per address, and prints its
// closing message.
//
//   convertinwindow <address list> <output folder>
#include "windowfixture.h"

#include <addresslistview.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 3)
        return 2;
    QFile list(QString::fromLocal8Bit(argv[1]));
    if (!list.open(QIODevice::ReadOnly))
        return 2;
    WindowFixture fixture;
    Form1& window = fixture.open();
    window.ListView1->entries().append(
        QString::fromUtf8(list.readAll()).split(u'\n', Qt::SkipEmptyParts));
    window.Option1->setChecked(true);
    window.Option4->setChecked(true);
    window.Text1->setText(QString::fromLocal8Bit(argv[2]));
    window.PushButton2->click();
    std::printf("%s\n", qPrintable(fixture.dialogs.texts().join(u'\n')));
    return 0;
}
