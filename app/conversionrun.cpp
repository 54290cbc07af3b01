#include "conversionrun.h"

#include "addresslistview.h"
#include "form1.h"
#include "imagepath.h"
#include "progressbar.h"
#include "tempfolder.h"

#include <support/failure.h>
#include <support/fileutils.h>
#include <support/pendingevents.h>
#include <support/rounding.h>
#include <support/runandwait.h>

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <sys/stat.h>

namespace {

const QString kTextFileName = QStringLiteral("emails.txt");
const QString kWholeListName = QStringLiteral("Orvanta_Result");
constexpr mode_t kToolMode = 0700;

// Tells a file the converter has just written from one that stood there before.
struct FileStamp {
    bool regularFile = false;
    dev_t device = 0;
    ino_t inode = 0;
    struct timespec changed = {};

    static FileStamp of(const QString& path) {
        FileStamp stamp;
        struct stat st;
        if (::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode)) {
            stamp.regularFile = true;
            stamp.device = st.st_dev;
            stamp.inode = st.st_ino;
            stamp.changed = st.st_ctim;
        }
        return stamp;
    }

    bool isNewFileSince(const FileStamp& before) const {
        return regularFile && (!before.regularFile || inode != before.inode ||
                               device != before.device || changed.tv_sec != before.changed.tv_sec ||
                               changed.tv_nsec != before.changed.tv_nsec);
    }
};

} // namespace

ConversionRun::ConversionRun(Form1& window) : QObject(&window), window_(window) {
    connect(window.PushButton2, &QPushButton::clicked, this, &ConversionRun::PushButton2_Click);
}

void ConversionRun::PushButton2_Click() {
    Run run{window_.trap(QStringLiteral("PushButton2_Click"))};
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
    step(110, [&] { run.temp = TemporaryFolder(); });
    step(110, [&] { run.jpegBytes = LoadConverterTool(kJpegTool); });
    step(112, [&] { putToolInPlace(run, kJpegTool, run.jpegBytes); });
    step(114, [&] { run.pngBytes = LoadConverterTool(kPngTool); });
    step(116, [&] { putToolInPlace(run, kPngTool, run.pngBytes); });

    if (step.guard(118, [&] { return window_.Option3->isChecked(); })) {
        step(120, [&] { run.tool = run.tempFile(kJpegTool.fileName); });
        step(122, [&] { run.extension = kJpegTool.extension; });
    } else if (step.guard(124, [&] { return window_.Option4->isChecked(); })) {
        step(126, [&] { run.tool = run.tempFile(kPngTool.fileName); });
        step(128, [&] { run.extension = kPngTool.extension; });
    }

    if (step.guard(134, [&] { return window_.Option1->isChecked(); }))
        convertEachAddress(run);
    else if (step.guard(166, [&] { return window_.Option2->isChecked(); }))
        convertWholeList(run);

    step(194, [&] { removeTool(run, kJpegTool); });
    step(196, [&] { removeTool(run, kPngTool); });
    step(198, [&] { window_.setPointer(Form1::kPointerDefault); });
    step(200, [&] { bar.setValue(0); });
    step(202, [&] { bar.setCaption(support::RestingCaption()); });
    step(208, [&] { window_.showMessage(run.notMade.closingMessage(run.attempted)); });
}

void ConversionRun::putToolInPlace(Run& run, const ConverterTool& tool, const QByteArray& bytes) {
    // A tool already there is kept and used as it is; the check before each
    // run decides whether it may be run.
    if (!run.temp.isEmpty() && !bytes.isEmpty())
        support::WriteBytesIfMissing(bytes, run.tempFile(tool.fileName), kToolMode);
}

void ConversionRun::removeTool(Run& run, const ConverterTool& tool) {
    if (!run.temp.isEmpty())
        support::RemoveFile(run.tempFile(tool.fileName));
}

void ConversionRun::convertEachAddress(Run& run) {
    static constexpr ImageLines kLines{154, 156, 158, 160, 162};
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
    static constexpr ImageLines kLines{184, 186, 188, 190, 192};
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
    makeImage(run, kLines, text, kWholeListName, kWholeListName + u'.' + run.extension);
}

void ConversionRun::makeImage(Run& run, const ImageLines& lines, const QString& text,
                              const QString& name, const QString& shownAs) {
    support::StepTrap& step = run.step;
    ++run.attempted;
    if (run.temp.isEmpty()) {
        run.notMade.add(shownAs, QStringLiteral("there was no private temporary folder to run "
                                                "the converter from"));
        return;
    }
    const QString textFile = run.tempFile(kTextFileName);

    step(lines.write, [&] { support::WriteTextFile(text, textFile); });
    QString outputPath;
    std::optional<QString> refused;
    step(lines.path, [&] {
        const QString folder = window_.Text1->text();
        refused = RefusedImageReason(folder, name);
        outputPath = ImagePath(folder, name, run.extension);
    });
    QStringList arguments;
    step(lines.arguments, [&] { arguments = QStringList{textFile, outputPath}; });
    step(lines.run, [&] {
        if (refused)
            run.notMade.add(shownAs, *refused);
        else
            runTool(run, arguments, outputPath, shownAs);
    });
    step(lines.remove, [&] { support::RemoveFile(textFile); });
}

void ConversionRun::runTool(Run& run, const QStringList& arguments, const QString& outputPath,
                            const QString& shownAs) {
    if (const auto refused = RefusedToolReason(run.tool)) {
        run.notMade.add(shownAs, *refused);
        return;
    }
    CaptionProgressBar& bar = *window_.ProgressBar1;
    const FileStamp before = FileStamp::of(outputPath);
    const int result =
        support::RunAndWait(run.tool, arguments, &bar, bar.caption(),
                            static_cast<qint32>(support::RoundHalfEven(bar.value())), entryCount());
    if (result != 0)
        run.notMade.add(shownAs, DescribeConverterResult(result));
    else if (!FileStamp::of(outputPath).isNewFileSince(before))
        run.notMade.add(shownAs, QStringLiteral("the converter made no image file"));
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
