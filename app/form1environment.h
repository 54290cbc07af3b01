#pragma once

#include <conversion/conversion.h>

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

class Dialogs;

// What the window takes from the world around it; tests replace each part.
struct Form1Environment {
    Dialogs* dialogs = nullptr;
    // Where the optional look files (HAND-M.CUR, x/o.cjs, drag.ico) are
    // looked for, in order: beside the program, the user's, the installed.
    QStringList lookFolders;
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

    // The look file `name` in the first folder that holds it; when none does,
    // its place in the first folder, where it is missing.
    QString lookFile(const QString& name) const;
    // Where each look file comes from, on the logging category "orvanta.look"
    // (off unless QT_LOGGING_RULES turns it on): the way to find out why a
    // pointer or a skin does not show.
    void reportLookFiles() const;
};
