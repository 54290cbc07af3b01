#include "conversionrun.h"

#include "addresslistview.h"
#include "form1.h"
#include "progressbar.h"

#include <conversion/imageconversion.h>
#include <conversion/imagepath.h>
#include <support/failure.h>
#include <support/fileutils.h>
#include <support/pendingevents.h>
#include <support/rounding.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

ConversionRun::Run::Run(const QString& procedure, const support::ErrorReporter& report,
                        conversion::ToolLoader loadTool)
    : step(procedure,
           [this, report](const QString& description, const QString& path, int line) {
               if (failures.isFirstAt(line, description))
                   report(description, path, line);
           }),
      core(std::move(loadTool)) {}

ConversionRun::ConversionRun(Form1& window) : QObject(&window), window_(window) {
    connect(window.PushButton2, &QPushButton::clicked, this, &ConversionRun::PushButton2_Click);
}

void ConversionRun::PushButton2_Click() {
    Run run(window_.trap(QStringLiteral("PushButton2_Click")).procedure(), window_.errorReporter(),
            window_.environment().loadConverter);
    support::StepTrap& step = run.step;

    if (step.test(100, [&] { return converting_; }))
        return;
    step(102, [&] { converting_ = true; });
    if (step.test(104, [&] { return entryCount() == 0; }))
        step(212, [&] { window_.showMessage(QStringLiteral("No files added.")); });
    else if (step.test(106, [&] { return !support::IsDirectory(window_.Text1->text()); }))
        step(210, [&] {
            window_.showMessage(
                QStringLiteral("Folder does not exist. Please select another folder."));
        });
    else
        convert(run);
    step(214, [&] { converting_ = false; });
}

void ConversionRun::convert(Run& run) {
    support::StepTrap& step = run.step;
    CaptionProgressBar& bar = *window_.ProgressBar1;

    step(108, [&] { window_.setPointer(Form1::kPointerBusy); });
    QByteArray jpegBytes, pngBytes;
    step(110, [&] {
        run.core.open();
        tellPassedOver(run.core.passedOver());
    });
    step(110, [&] { jpegBytes = run.core.toolBytes(conversion::kJpegTool); });
    step(112, [&] { run.core.putTool(conversion::kJpegTool, jpegBytes); });
    step(114, [&] { pngBytes = run.core.toolBytes(conversion::kPngTool); });
    step(116, [&] { run.core.putTool(conversion::kPngTool, pngBytes); });

    // The tool carries its extension: 120 and 122 (126 and 128) are one step.
    if (step.guard(118, [&] { return window_.Option3->isChecked(); }))
        step(120, [&] { run.tool = conversion::kJpegTool; });
    else if (step.guard(124, [&] { return window_.Option4->isChecked(); }))
        step(126, [&] { run.tool = conversion::kPngTool; });

    if (step.guard(134, [&] { return window_.Option1->isChecked(); }))
        convertEachAddress(run);
    else if (step.guard(166, [&] { return window_.Option2->isChecked(); }))
        convertWholeList(run);

    step(194, [&] { run.core.removeTool(conversion::kJpegTool); });
    step(196, [&] {
        run.core.removeTool(conversion::kPngTool);
        run.core.close();
    });
    step(198, [&] { window_.setPointer(Form1::kPointerDefault); });
    step(200, [&] { bar.setValue(0); });
    step(202, [&] { bar.setCaption(support::RestingCaption()); });
    step(208, [&] {
        window_.showMessage(run.notMade.closingMessage(run.attempted) + run.failures.report());
    });
}

void ConversionRun::convertEachAddress(Run& run) {
    static constexpr ImageLines kLines{154, 156, 160, 162};
    support::StepTrap& step = run.step;
    CaptionProgressBar& bar = *window_.ProgressBar1;

    int n = 0;
    QString address;
    step(136, [&] { n = entryCount(); });
    for (int i = 1; i <= n; ++i) {
        step(138, [&] { address = entryText(i); });
        step(140, [&] { bar.setValue(percentDone(i)); });
        step(142, [&] {
            bar.setCaption(QStringLiteral("Processing: ") + support::FileNameOf(address));
        });
        step(144, [&] { support::ProcessPendingMessages(); });
        step(146, [&] { window_.setPointer(Form1::kPointerBusy); });
        makeImage(run, kLines, address, address, address);
    }
}

void ConversionRun::convertWholeList(Run& run) {
    static constexpr ImageLines kLines{184, 186, 190, 192};
    support::StepTrap& step = run.step;

    QString text;
    int n = 0;
    step(168, [&] { text.clear(); });
    step(174, [&] { n = entryCount(); });
    for (int i = 1; i <= n; ++i)
        step(176, [&] { text += entryText(i) + QStringLiteral("\r\n"); });
    if (step.test(180, [&] { return text.isEmpty(); }))
        return;
    step(182, [&] { text.chop(2); });
    makeImage(run, kLines, text, conversion::kWholeListName, conversion::kWholeListName + u'.' + run.tool.extension);
}

void ConversionRun::makeImage(Run& run, const ImageLines& lines, const QString& text,
                              const QString& name, const QString& shownAs) {
    support::StepTrap& step = run.step;
    CaptionProgressBar& bar = *window_.ProgressBar1;
    conversion::ImageConversion image(run.core, run.tool);
    ++run.attempted;

    step(lines.write, [&] { image.writeText(text); });
    // The converter's arguments (158, 188) are made with its run.
    step(lines.path, [&] { image.aimAt(window_.Text1->text(), name); });
    step(lines.run, [&] {
        image.runTool({&bar, bar.caption(),
                       static_cast<qint32>(support::RoundHalfEven(bar.value())), entryCount()});
    });
    step(lines.remove, [&] { image.removeText(); });
    if (const auto& reason = image.notMadeReason())
        run.notMade.add(shownAs, *reason);
}

void ConversionRun::tellPassedOver(const QString& reason) {
    // Once a program: every run passes TEMP over for the same reason.
    if (reason.isEmpty() || passedOverTold_)
        return;
    passedOverTold_ = true;
    window_.showMessage(reason);
}

double ConversionRun::percentDone(int number) const {
    const int count = entryCount();
    if (count == 0)
        support::fail(QStringLiteral("Division by zero: the list has no entries left"));
    return static_cast<double>(number) / count * 100;
}

QString ConversionRun::entryText(int number) const {
    if (number > entryCount())
        support::fail(QStringLiteral("Entry %1 is no longer in the list").arg(number));
    return window_.ListView1->entries().text(number - 1);
}

int ConversionRun::entryCount() const {
    return window_.ListView1->entries().count();
}
