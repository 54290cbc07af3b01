#pragma once

#include <support/progressdisplay.h>

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>

class ProgressAnnouncer;

// A progress bar that shows a caption of its own instead of a percentage and
// keeps its value as a real number. Values outside 0..100 are drawn clamped.
class CaptionProgressBar : public QWidget, public support::ProgressDisplay {
    Q_OBJECT
public:
    explicit CaptionProgressBar(QWidget* parent = nullptr);

    double value() const override { return value_; }
    void setValue(double percent) override;
    QString caption() const override { return caption_; }
    void setCaption(const QString& caption) override;

    // What assistive technology is told: the share done in whole percents,
    // 0 to 100, and the caption, none at rest ("Progress Bar" would only
    // repeat what the bar is).
    int wholePercent() const;
    QString spokenCaption() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void scheduleRepaint();

    double value_ = 0;
    QString caption_ = support::RestingCaption();
    QElapsedTimer sincePaint_;
    QTimer repaintLater_;
    ProgressAnnouncer* announcer_;
};
