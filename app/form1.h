#pragma once

#include "form1environment.h"
#include "settingsstore.h"

#include <support/steptrap.h>

#include <QCursor>
#include <QList>
#include <QWidget>
#include <optional>

class AddressIntake;
class AddressListView;
class CaptionProgressBar;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The main window. It lays out the controls, keeps the window-wide state
// (pointer setting, application title) and offers the commands the trap, the
// dialogs and the settings; each command lives in a file of its own.
class Form1 : public QWidget {
    Q_OBJECT
public:
    // Pointer settings: ordinary, hourglass (the busy state), custom hand.
    static constexpr int kPointerDefault = 0;
    static constexpr int kPointerBusy = 11;
    static constexpr int kPointerCustom = 99;

    explicit Form1(Form1Environment environment, QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up: skin, hand pointer, home-page draw, caption, icon, title, list
    // column and output folder, each step trapped with its line number.
    void Form_Load();
    // Appends the entries of these list files, in order, with the boxes of
    // "Load Emails From Text File" for a file that cannot be read.
    void openListFiles(const QStringList& paths);

    AddressListView* ListView1;
    QPushButton* PushButton1;
    QPushButton* PushButton4;
    QPushButton* PushButton9;
    QPushButton* PushButton10;
    QGroupBox* Frame1;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QGroupBox* Frame3;
    QRadioButton* Option3;
    QRadioButton* Option4;
    QGroupBox* Frame2;
    QLineEdit* Text1;
    QPushButton* PushButton7;
    QPushButton* PushButton2;
    CaptionProgressBar* ProgressBar1;

    int pointer() const { return pointer_; }
    void setPointer(int value);
    bool isBusy() const { return pointer_ == kPointerBusy; }

    const QString& applicationTitle() const { return applicationTitle_; }
    const Form1Environment& environment() const { return environment_; }
    Dialogs& dialogs() const { return *environment_.dialogs; }
    SettingsStore& settings() { return settings_; }

    // The trap of one of the window's procedures, reporting through the
    // "Application Error" box.
    support::StepTrap trap(const QString& procedureName);
    support::ErrorReporter errorReporter();
    // A plain OK message with the application title as its caption.
    void showMessage(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Done once, when the window is made, so that boxes raised during start-up
    // already appear over the window's final place.
    void centerOnScreen();
    void buildControls();
    // Connects the commands behind the controls; each command is its own object.
    void attachCommands();
    void setTabOrder();
    void watchHover();
    void applyHoverRule(QWidget* under);
    void applySkin();
    void loadHandCursor();
    void homePageDraw();

    Form1Environment environment_;
    SettingsStore settings_;
    QString applicationTitle_;
    int pointer_ = kPointerDefault;
    std::optional<QCursor> customCursor_;
    QList<QWidget*> handWidgets_;
    QList<QWidget*> arrowWidgets_;
    AddressIntake* intake_ = nullptr;
    QList<QObject*> commands_;
};
