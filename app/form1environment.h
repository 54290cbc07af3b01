#pragma once

#include <conversion/conversion.h>

#include <QString>
#include <QUrl>
#include <functional>

class Dialogs;

// What the window takes from the world around it; tests replace each part.
struct Form1Environment {
    Dialogs* dialogs = nullptr;
    // Where the optional look files (HAND-M.CUR, x/o.cjs, drag.ico) are found.
    QString programFolder;
    QString settingsFile;
    // A fraction from 0 (inclusive) to 1 (exclusive) for the home-page draw.
    std::function<double()> randomFraction;
    // Hands an address to the web browser without waiting; false on failure.
    std::function<bool(const QUrl&)> openUrl;
    // Ends the program at once, from wherever the close arrives.
    std::function<void()> terminate;
    // The converter tools a conversion run puts in place.
    conversion::ToolLoader loadConverter = conversion::LoadConverterTool;

    static Form1Environment forSystem(Dialogs& dialogs);
};
