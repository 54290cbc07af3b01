#pragma once

#include <QString>
#include <QWidget>

// A progress bar that shows a caption of its own instead of a percentage and
// keeps its value as a real number. Values outside 0..100 are drawn clamped.
class CaptionProgressBar : public QWidget {
    Q_OBJECT
public:
    static inline const QString kRestCaption = QStringLiteral("Progress Bar");

    explicit CaptionProgressBar(QWidget* parent = nullptr);

    double value() const { return value_; }
    void setValue(double percent);
    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double value_ = 0;
    QString caption_ = kRestCaption;
};
