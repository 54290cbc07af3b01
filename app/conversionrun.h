#pragma once

#include "convertertools.h"
#include "imagesnotmade.h"

#include <support/steptrap.h>

#include <QObject>
#include <QString>
#include <QStringList>

class Form1;

// "Start Converting To Image": puts the converter tools carried inside the
// program into the temporary folder, runs the chosen one once for every
// address (or once for the whole list), waits for each run with the progress
// bar alive, and ends with "Done." and the images that could not be made.
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
        support::StepTrap step;
        QString temp; // empty when no usable temporary folder was found
        QByteArray jpegBytes;
        QByteArray pngBytes;
        QString tool;
        QString extension;
        ImagesNotMade notMade;
        qsizetype attempted = 0;

        QString tempFile(const QString& name) const { return temp + u'/' + name; }
    };
    // The line numbers of the steps that make one image, which differ by mode.
    struct ImageLines {
        int write, path, arguments, run, remove;
    };

    void convert(Run& run);
    void putToolInPlace(Run& run, const ConverterTool& tool, const QByteArray& bytes);
    void removeTool(Run& run, const ConverterTool& tool);
    void convertEachAddress(Run& run);
    void convertWholeList(Run& run);
    void makeImage(Run& run, const ImageLines& lines, const QString& text, const QString& name,
                   const QString& shownAs);
    void runTool(Run& run, const QStringList& arguments, const QString& outputPath,
                 const QString& shownAs);
    // The share of the list done with entry `number`, in percent of its current size.
    double percentDone(int number) const;
    // Entries are numbered from 1.
    QString entryText(int number) const;
    int entryCount() const;

    Form1& window_;
    bool converting_ = false;
};
