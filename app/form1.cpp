#include "form1.h"

#include "addresslistview.h"
#include "dialogs.h"
#include "errorreport.h"
#include "progressbar.h"
#include "twips.h"

#include <conversion/runfolder.h>
#include <support/productinfo.h>

#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>

namespace {

const QString kListHint = QStringLiteral(
    "Drag and drop files here. Double-click item to remove it. Move | line to right and out of "
    "window to reveal full names.");

QFont arialBold(double points) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

template <class Control>
Control* place(Control* control, QRect twips) {
    control->setGeometry(twips);
    return control;
}

// Option captions may need more room than their box in this toolkit's
// metrics; they are transparent, so growing to the right changes no look.
QRadioButton* option(QGroupBox* frame, const QString& caption, QRect twips) {
    auto* button = place(new QRadioButton(caption, frame), twips);
    button->resize(qMax(twips.width(), button->sizeHint().width()), twips.height());
    return button;
}

// White as described, with black text on every control whatever colour scheme
// the desktop has: the style's own light palette, not the desktop's.
QPalette whiteWithBlackText(const QStyle* style) {
    QPalette pinned = style->standardPalette();
    pinned.setColor(QPalette::Window, Qt::white);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (const QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            pinned.setColor(group, role, Qt::black);
    return pinned;
}

QPushButton* button(QWidget* parent, const QString& caption, QRect geometry) {
    auto* pushButton = place(new QPushButton(caption, parent), geometry);
    pushButton->setFont(arialBold(11.25));
    pushButton->setAutoDefault(false);
    return pushButton;
}

} // namespace

Form1::Form1(Form1Environment environment, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      environment_(std::move(environment)), settings_(environment_.settingsFile) {
    setObjectName(QStringLiteral("Form1"));
    setFixedSize(twipsToPixels(8040), twipsToPixels(7575));
    setFont(arialBold(9));
    setPalette(whiteWithBlackText(style()));
    setAutoFillBackground(true);
    buildControls();
    attachCommands();
    setTabOrder();
    watchHover();
    // Placed before start-up runs, so its boxes open over the window's place.
    centerOnScreen();
}

Form1::~Form1() {
    // The commands watch the controls' events, and the controls send some
    // while the window takes them down; by then the window is no Form1 any
    // more, so the commands go first, while it still is one.
    qDeleteAll(commands_);
}

void Form1::buildControls() {
    ListView1 = place(new AddressListView(this), twipsRect(120, 120, 7800, 2535));
    ListView1->setToolTip(kListHint);
    ListView1->setAccessibleName(tr("Email list"));
    PushButton1 = button(this, QStringLiteral("Add One Email"), twipsRect(120, 2745, 3840, 405));
    PushButton4 = button(this, QStringLiteral("Load Emails From Text File"),
                         twipsRect(4080, 2745, 3840, 405));
    PushButton9 = button(this, QStringLiteral("Clear List"), twipsRect(120, 3255, 3840, 405));
    PushButton10 = button(this, QStringLiteral("Load Sample/Example Emails"),
                          twipsRect(4080, 3255, 3840, 405));

    Frame1 = place(new QGroupBox(QStringLiteral("All or One Option"), this),
                   twipsRect(120, 3720, 7800, 1035));
    Option1 = option(Frame1, QStringLiteral("Convert each email to image file"),
                     twipsRect(240, 300, 3255, 225));
    Option2 = option(Frame1, QStringLiteral("Convert all emails to one image file"),
                     twipsRect(240, 650, 3255, 225));
    Option1->setChecked(true);

    Frame3 = place(new QGroupBox(QStringLiteral("Output Format"), this),
                   twipsRect(120, 4800, 7800, 735));
    Option3 = option(Frame3, QStringLiteral("JPG"), twipsRect(240, 300, 855, 225));
    Option4 = option(Frame3, QStringLiteral("PNG"), twipsRect(1440, 300, 975, 225));
    Option3->setChecked(true);

    Frame2 = place(new QGroupBox(QStringLiteral("Save Results To This Folder"), this),
                   twipsRect(120, 5580, 7800, 810));
    Text1 = place(new QLineEdit(Frame2), twipsRect(240, 300, 6630, 345));
    Text1->setAccessibleName(tr("Output folder"));
    PushButton7 = button(Frame2, QStringLiteral("..."), twipsRect(6960, 300, 600, 345));
    PushButton7->setToolTip(tr("Choose the output folder"));
    PushButton7->setAccessibleName(PushButton7->toolTip());

    PushButton2 = button(this, QStringLiteral("Start Converting To Image"),
                         twipsRect(120, 6510, 7800, 405));
    ProgressBar1 = place(new CaptionProgressBar(this), twipsRect(120, 7050, 7800, 405));

    // Every change, typed or set by the program, is stored at once.
    connect(Text1, &QLineEdit::textChanged, this,
            [this](const QString& text) { settings_.save(SettingsStore::kOutputFolder, text); });
}

void Form1::setTabOrder() {
    // The list first, then the output folder, the buttons and the options.
    const QList<QWidget*> order{ListView1, Text1,   PushButton7,  PushButton1, PushButton4,
                                PushButton2, PushButton9, PushButton10, Option1, Option2,
                                Option3,   Option4};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    ListView1->setFocus();
}

void Form1::watchHover() {
    handWidgets_ = {PushButton1, PushButton2, PushButton4, PushButton7, PushButton9, PushButton10};
    arrowWidgets_ = {Frame1, Frame2, Frame3, Text1, ListView1};
    QList<QWidget*> watched = handWidgets_ + arrowWidgets_;
    watched << this << ListView1->viewport();
    for (QWidget* widget : watched) {
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        const QPoint at = mapFromGlobal(move->globalPosition().toPoint());
        applyHoverRule(childAt(at));
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::applyHoverRule(QWidget* under) {
    if (isBusy())
        return; // the hourglass stays until the busy command ends
    for (QWidget* widget = under; widget && widget != this; widget = widget->parentWidget()) {
        if (handWidgets_.contains(widget)) {
            setPointer(kPointerCustom);
            return;
        }
        if (arrowWidgets_.contains(widget)) {
            setPointer(kPointerDefault);
            return;
        }
        if (qobject_cast<QRadioButton*>(widget) || widget == ProgressBar1)
            return; // these have no pointer feedback of their own
    }
    setPointer(kPointerDefault);
}

void Form1::setPointer(int value) {
    pointer_ = value;
    if (value == kPointerBusy)
        setCursor(Qt::WaitCursor);
    else if (value == kPointerCustom)
        setCursor(customCursor_.value_or(QCursor(Qt::ArrowCursor)));
    else
        unsetCursor();
}

void Form1::centerOnScreen() {
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - frameGeometry().center() + pos());
}

support::StepTrap Form1::trap(const QString& procedureName) {
    return support::StepTrap(product::kProjectMark + QStringLiteral(".Form1.") + procedureName,
                             errorReporter());
}

support::ErrorReporter Form1::errorReporter() {
    return [this](const QString& description, const QString& procedure, int line) {
        ShowErrorReport(dialogs(), this, description, procedure, line);
    };
}

void Form1::showMessage(const QString& text) { dialogs().message(this, applicationTitle_, text); }

void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    // A run under way is abandoned, but leaves no folder with the tools behind.
    conversion::RunFolder::closeAllOpen();
    environment_.terminate();
}
