// The window as people with a dark desktop scheme or assistive technology meet it.
#include "windowfixture.h"

#include <addresslistview.h>
#include <progressbar.h>
#include <qtdialogs.h>

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

namespace {

int darkest(const QImage& image) {
    int gray = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            gray = qMin(gray, qGray(image.pixel(x, y)));
    return gray;
}

// What openbox's default theme needs to show a caption whole: its title
// font, DejaVu Sans Bold 8 pt, and 80 pixels for the icon, three buttons and
// the margins beside the caption (measured on its frames at 1x; at 2x the
// frame grows with the caption).
int openboxWidth(const QString& caption) {
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPointSize(8);
    title.setBold(true);
    return QFontMetrics(title).horizontalAdvance(caption) + 80;
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
        QCOMPARE(value->currentValue().toDouble(), 38.0); // whole, as a reader speaks it
        QCOMPARE(value->maximumValue().toDouble(), 100.0);
    }

    void boxes_showTheirWholeCaption_andThePromptAWholeAddress() {
        const QString title = "Tessaline Varomund Kelbrith Ostavan";
        const QString address = "christopher.johnston@mail.example-co.com"; // 40 characters
        QtDialogs real;
        const auto check = [&](const QString& caption, const std::function<void()>& show) {
            QWidget* box = nullptr;
            QTimer::singleShot(0, [&] {
                box = QApplication::activeModalWidget();
                QVERIFY2(box->sizeHint().width() >= openboxWidth(caption), qPrintable(caption));
                QVERIFY(box->width() >= openboxWidth(caption));
                // Fixed: nothing for the window manager to maximise.
                QCOMPARE(box->minimumSize(), box->maximumSize());
                if (auto* field = box->findChild<QLineEdit*>()) {
                    // The cursor at its end, and the start not scrolled out of sight.
                    field->setText(address);
                    QCOMPARE(field->cursorPositionAt(QPoint(1, field->height() / 2)), 0);
                }
                QMetaObject::invokeMethod(box, "reject", Qt::QueuedConnection);
            });
            show();
            QVERIFY(box);
        };
        check(title, [&] { real.message(nullptr, title, "Done."); });
        check(title, [&] { real.message(nullptr, title, "No files added."); });
        check("Application Error", [&] {
            real.warning(nullptr, "Application Error",
                         "Type mismatch\r\nin Orvanta2021/08/31.Form1.Form_Load at line 100");
        });
        check(title, [&] {
            QCOMPARE(real.input(nullptr, title, "Enter email address to add: "), QString());
        });
    }
};

QTEST_MAIN(TestReadability)
#include "test_readability.moc"
