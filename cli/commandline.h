#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace cli {

// What the program was asked to do by its arguments.
enum class Command {
    OpenWindow,  // no arguments, or list files to load into the window
    Convert,     // --convert: make the images without a window
    ShowHelp,    // -h, --help
    ShowVersion, // -v, --version
    BadUsage,    // the arguments make no sense; `error` says why
};

// Where the addresses of a conversion come from, in the order given.
struct AddressSource {
    enum Kind { ListFile, StandardInput, Address } kind;
    QString value; // the file's path or the address itself
};

struct Invocation {
    Command command = Command::OpenWindow;
    QStringList listFiles;        // OpenWindow: loaded in this order
    QList<AddressSource> sources; // Convert
    bool wholeList = false;       // -a: one image for the whole list
    QString format = QStringLiteral("jpg");
    QString outputFolder; // empty: the current folder
    bool quiet = false;
    QString error; // BadUsage
};

// Reads the arguments (the program's name first). Touches no display, so the
// caller can choose between a window and a console application afterwards.
Invocation ParseCommandLine(const QStringList& arguments);

// The texts of --help, --version and of the hint after a usage error.
QString HelpText();
QString VersionText();
QString UsageHint();

} // namespace cli
