#include "form1.h"

#include "addresslistview.h"
#include "apptitle.h"
#include "cursorfile.h"
#include "programicon.h"
#include "skin.h"

#include <support/productinfo.h>
#include <support/failure.h>
#include <support/fileutils.h>

#include <QGroupBox>
#include <QIcon>
#include <QLineEdit>
#include <QRadioButton>

namespace {
constexpr int kHomePageDraw = 7;
}

void Form1::Form_Load() {
    support::StepTrap step = trap(QStringLiteral("Form_Load"));
    environment_.reportLookFiles();
    const QString handCursor = environment_.lookFile(QStringLiteral("HAND-M.CUR"));

    step(100, [&] { applySkin(); });
    if (step.guard(104, [&] { return support::FileExists(handCursor); }))
        step(106, [&] { loadHandCursor(); });
    step(108, [&] { homePageDraw(); });
    step(126, [&] {
        setWindowTitle(product::kName);
        setWindowIcon(ProgramIcon());
        applicationTitle_ = ApplicationTitle(product::kName);
    });
    step(128, [&] { ListView1->addColumn(QStringLiteral("Email(s)")); });
    step(130, [&] { ListView1->setColumnWidthTwips(7000); });
    step(132, [&] {
        // The default is formed first: without a desktop folder the step fails
        // even when a folder is stored.
        const QString fallback = support::DesktopFolder();
        Text1->setText(settings_.read(SettingsStore::kOutputFolder, fallback));
    });
}

void Form1::applySkin() {
    const QString skin = environment_.lookFile(QStringLiteral("x/o.cjs"));
    if (!SkinFileExists(skin))
        return;
    const QColor face = palette().color(QPalette::Button);
    QPalette skinned = palette();
    skinned.setColor(QPalette::Window, face);
    setPalette(skinned);
    for (QWidget* control : findChildren<QWidget*>()) {
        if (qobject_cast<QGroupBox*>(control) || qobject_cast<QRadioButton*>(control)) {
            QPalette own = control->palette();
            own.setColor(QPalette::Window, face);
            control->setPalette(own);
        }
    }
    setStyleSheet(ReadSkin(skin));
}

void Form1::loadHandCursor() {
    customCursor_ =
        LoadCursorFile(environment_.lookFile(QStringLiteral("HAND-M.CUR")), devicePixelRatio());
}

void Form1::homePageDraw() {
    const int draw = static_cast<int>(environment_.randomFraction() * 100) + 1;
    if (draw != kHomePageDraw)
        return;
    if (!environment_.openUrl(QUrl(product::kHomePage)))
        support::fail(QStringLiteral("Cannot open %1 in the web browser").arg(product::kHomePage));
}
