#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class CaptionProgressBar;
class QAccessibleEvent;

// Tells assistive technology of the bar's changes at a pace a listener can
// follow: a run may change the bar hundreds of times a second, and a screen
// reader told of each one chatters or falls behind. The share done is told in
// whole percents, at most every 250 ms with the caption; the end of a run is
// told at once.
class ProgressAnnouncer : public QObject {
    Q_OBJECT
public:
    explicit ProgressAnnouncer(CaptionProgressBar& bar);

    // After every change of the bar; `atOnce` for one that must not wait.
    void changed(bool atOnce);

    // Who is told: assistive technology while one listens, unless replaced.
    void setListener(std::function<void(QAccessibleEvent*)> listener);

private:
    void tell();
    void send(QAccessibleEvent& event);

    CaptionProgressBar& bar_;
    QElapsedTimer sinceTold_;
    QTimer later_;
    int toldPercent_ = 0;
    QString toldDescription_;
    std::function<void(QAccessibleEvent*)> listener_;
};
