#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

// For timing how long a window takes to appear: with ORVANTA_EXIT_WHEN_SHOWN
// set in the environment, the program ends as soon as `window` has painted
// itself once, without tearing anything down. The program and the bare window
// it is measured against both use this, so both are timed alike.
inline void ExitWhenShownIfAsked(QWidget& window) {
    class ExitAfterFirstPaint : public QObject {
    public:
        using QObject::QObject;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                // Queued, so that the painted window is handed to the display first.
                QTimer::singleShot(0, [] { std::_Exit(0); });
            return false;
        }
    };
    if (qEnvironmentVariableIsSet("ORVANTA_EXIT_WHEN_SHOWN"))
        window.installEventFilter(new ExitAfterFirstPaint(&window));
}
