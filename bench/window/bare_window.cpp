#include <exitwhenshown.h>

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Drag and drop files here."));
    ExitWhenShownIfAsked(window);
    window.show();
    return application.exec();
}
