#pragma once

#include "imagestyles.h"
#include "nametemplate.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace cli {

// What the program was asked to do by its arguments.
enum class Command {
    OpenWindow,  // no arguments, or list files to load into the window
    Convert,     // --convert: make the images without a window
    ShowHelp,    // -h, --help
    ShowVersion, // -V, --version
    BadUsage,    // the arguments make no sense; `error` says why
};

// Where the addresses of a conversion come from, in the order given.
struct AddressSource {
    enum Kind { ListFile, StandardInput, Address } kind;
    QByteArray value; // the file's path or the address itself, as the argument's bytes
};

struct Invocation {
    Command command = Command::OpenWindow;
    QStringList listFiles;        // OpenWindow: loaded in this order
    QList<AddressSource> sources; // Convert
    bool wholeList = false;       // -a: one image for the whole list
    QString format = QStringLiteral("jpg");
    QByteArray outputFolder; // empty: the current folder
    NameTemplate name;
    bool nulSeparated = false; // -z: records end at NUL, and so do printed paths
    bool printPaths = false;
    bool json = false;
    ImageStyles styles;
    bool html = false;
    std::optional<QString> urlPrefix; // --url; else the output folder
    QString alt = QStringLiteral("e-mail address");
    int jobs = 1;
    bool quiet = false;
    QString error; // BadUsage
};

// Reads the arguments (the program's name first) as the bytes they are, so
// that file names and addresses in any encoding arrive unchanged. Touches no
// display, so the caller can choose between a window and a console
// application afterwards.
Invocation ParseCommandLine(const QList<QByteArray>& arguments);

// The texts of --help, --version and of the hint after a usage error.
QString HelpText();
QString VersionText();
QString UsageHint();

} // namespace cli
