#pragma once

#include <conversion/conversion.h>
#include <conversion/imagesnotmade.h>
#include <conversion/repeatedfailures.h>
#include <support/steptrap.h>

#include <QObject>
#include <QString>
#include <QStringList>

class Form1;

// "Start Converting To Image": drives a conversion run (conversion/) through
// the window's numbered steps: puts the converter tools in place, makes one
// image for every address (or one for the whole list) with the progress bar
// alive, and ends with "Done." and the images that could not be made.
class ConversionRun : public QObject {
    Q_OBJECT
public:
    explicit ConversionRun(Form1& window);

    void PushButton2_Click();
    // True while a run is under way; a further click then does nothing.
    bool converting() const { return converting_; }

private:
    // What one click's run carries from step to step.
    struct Run {
        // Boxes through `report` only the first failure at each line.
        Run(const QString& procedure, const support::ErrorReporter& report,
            conversion::ToolLoader loadTool);

        conversion::RepeatedFailures failures;
        support::StepTrap step;
        conversion::Conversion core;
        conversion::ConverterTool tool;
        conversion::ImagesNotMade notMade;
        qsizetype attempted = 0;
    };
    // The line numbers of the steps that make one image, which differ by mode.
    struct ImageLines {
        int write, path, run, remove;
    };

    void convert(Run& run);
    void convertEachAddress(Run& run);
    void convertWholeList(Run& run);
    void makeImage(Run& run, const ImageLines& lines, const QString& text, const QString& name,
                   const QString& shownAs);
    // Says why TEMP was passed over for another folder, the first time only.
    void tellPassedOver(const QString& reason);
    // The share of the list done with entry `number`, in percent of its current size.
    double percentDone(int number) const;
    // Entries are numbered from 1.
    QString entryText(int number) const;
    int entryCount() const;

    Form1& window_;
    bool converting_ = false;
    bool passedOverTold_ = false;
};
