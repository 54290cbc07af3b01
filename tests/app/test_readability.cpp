// The window as people with a dark desktop scheme or assistive technology meet it.
#include "windowfixture.h"

#include <addresslistview.h>
#include <progressbar.h>

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

namespace {

int darkest(const QImage& image) {
    int gray = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            gray = qMin(gray, qGray(image.pixel(x, y)));
    return gray;
}

QString accessibleName(QWidget* control) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(QAccessible::Name) : QString();
}

} // namespace

class TestReadability : public QObject {
    Q_OBJECT
private slots:
    void darkScheme_leavesFrameTitlesAndOptionLabelsBlackOnWhite() {
        const QPalette desktop = QApplication::palette();
        QPalette dark(QColor(45, 45, 45), QColor(30, 30, 30));
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(role, QColor(235, 235, 235));
        QApplication::setPalette(dark);
        WindowFixture fixture;
        Form1& window = fixture.open();
        QApplication::setPalette(desktop);

        QCOMPARE(window.grab().toImage().pixelColor(2, 2), QColor(Qt::white));
        const int textHeight = window.fontMetrics().height();
        for (QGroupBox* frame : {window.Frame1, window.Frame2, window.Frame3}) {
            const QImage title = frame->grab(QRect(0, 0, frame->width(), textHeight)).toImage();
            QVERIFY2(darkest(title) < 60, qPrintable(frame->title()));
        }
        for (QRadioButton* option :
             {window.Option1, window.Option2, window.Option3, window.Option4}) {
            const int label = option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) + 2;
            const QImage text = option->grab(option->rect().adjusted(label, 0, 0, 0)).toImage();
            QVERIFY2(darkest(text) < 60, qPrintable(option->text()));
            QCOMPARE(text.pixelColor(text.width() - 1, 0), QColor(Qt::white));
        }
    }

    void everyControlHasAName_andTheProgressBarAFixedOneWithCaptionAndValue() {
        WindowFixture fixture;
        Form1& window = fixture.open();
        QStringList names;
        for (QWidget* control : QWidgetList{
                 window.ListView1, window.PushButton1, window.PushButton4, window.PushButton9,
                 window.PushButton10, window.Frame1, window.Option1, window.Option2, window.Frame3,
                 window.Option3, window.Option4, window.Frame2, window.Text1, window.PushButton7,
                 window.PushButton2, window.ProgressBar1})
            names << accessibleName(control);
        QVERIFY2(!names.contains(QString()) && !names.contains("..."), qPrintable(names.join('|')));
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());

        window.ProgressBar1->setValue(37.5);
        window.ProgressBar1->setCaption("Processing: ann@example.com");
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(window.ProgressBar1);
        QCOMPARE(bar->role(), QAccessible::ProgressBar);
        QVERIFY(bar->state().readOnly);
        QCOMPARE(bar->text(QAccessible::Name), QString("Progress"));
        QCOMPARE(bar->text(QAccessible::Description), QString("Processing: ann@example.com"));
        QCOMPARE(bar->text(QAccessible::Value), QString("38%"));
        QAccessibleValueInterface* value = bar->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->currentValue().toDouble(), 37.5);
        QCOMPARE(value->maximumValue().toDouble(), 100.0);
    }
};

QTEST_MAIN(TestReadability)
#include "test_readability.moc"
