#include "commandline.h"

#include <support/productinfo.h>

#include <QCommandLineParser>

namespace cli {
namespace {

const QString kProgram = QStringLiteral("orvanta");

// The options, described once for the parser and for --help.
struct Options {
    QCommandLineOption convert{QStringLiteral("convert"),
                               QStringLiteral("Make the images without opening the window.")};
    QCommandLineOption all{{QStringLiteral("a"), QStringLiteral("all")},
                           QStringLiteral("One image for the whole list (Orvanta_Result.jpg or "
                                          ".png) instead of one per address.")};
    QCommandLineOption format{{QStringLiteral("f"), QStringLiteral("format")},
                              QStringLiteral("Image format, jpg (the default) or png."),
                              QStringLiteral("jpg|png")};
    QCommandLineOption output{{QStringLiteral("o"), QStringLiteral("output")},
                              QStringLiteral("Folder the images go to (default: the current "
                                             "folder)."),
                              QStringLiteral("DIR")};
    QCommandLineOption address{{QStringLiteral("e"), QStringLiteral("address")},
                               QStringLiteral("Convert ADDRESS too; may be given many times."),
                               QStringLiteral("ADDRESS")};
    QCommandLineOption quiet{{QStringLiteral("q"), QStringLiteral("quiet")},
                             QStringLiteral("Show no progress line.")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and licence and exit.")};

    void addTo(QCommandLineParser& parser) const {
        parser.addOptions({convert, all, format, output, address, quiet, help, version});
        parser.addPositionalArgument(QStringLiteral("FILE"),
                                     QStringLiteral("List files, one address per line; with "
                                                    "--convert, - reads standard input."),
                                     QStringLiteral("[FILE...]"));
    }
};

// The parser keeps option values and file names apart; the addresses must
// come in the order the arguments give them, so the arguments are walked
// again with the parser's own rules (compacted short options, "--name=value",
// "--" ending the options).
QList<AddressSource> sourcesInOrder(const QStringList& arguments) {
    const QStringList takesValue{QStringLiteral("f"), QStringLiteral("format"),
                                 QStringLiteral("o"), QStringLiteral("output"),
                                 QStringLiteral("e"), QStringLiteral("address")};
    QList<AddressSource> sources;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || argument == u'-' || !argument.startsWith(u'-')) {
            if (argument == u'-')
                sources.append(AddressSource{AddressSource::StandardInput, {}});
            else
                sources.append(AddressSource{AddressSource::ListFile, argument});
        } else if (argument == QStringLiteral("--")) {
            optionsEnded = true;
        } else if (argument.startsWith(QStringLiteral("--"))) {
            const qsizetype equals = argument.indexOf(u'=');
            const QString name = argument.mid(2, equals < 0 ? -1 : equals - 2);
            if (!takesValue.contains(name))
                continue;
            const QString value = equals >= 0 ? argument.mid(equals + 1) : arguments.value(++i);
            if (name == QStringLiteral("address"))
                sources.append(AddressSource{AddressSource::Address, value});
        } else {
            for (qsizetype j = 1; j < argument.size(); ++j) {
                const QString name(argument[j]);
                if (!takesValue.contains(name))
                    continue;
                const QString rest = argument.mid(j + 1);
                const QString value = rest.isEmpty() ? arguments.value(++i) : rest;
                if (name == u'e')
                    sources.append(AddressSource{AddressSource::Address, value});
                break;
            }
        }
    }
    return sources;
}

Invocation badUsage(const QString& error) {
    Invocation invocation;
    invocation.command = Command::BadUsage;
    invocation.error = error;
    return invocation;
}

} // namespace

Invocation ParseCommandLine(const QStringList& arguments) {
    const Options options;
    QCommandLineParser parser;
    options.addTo(parser);
    if (!parser.parse(arguments))
        return badUsage(parser.errorText());

    Invocation invocation;
    if (parser.isSet(options.help)) {
        invocation.command = Command::ShowHelp;
        return invocation;
    }
    if (parser.isSet(options.version)) {
        invocation.command = Command::ShowVersion;
        return invocation;
    }
    if (!parser.isSet(options.convert)) {
        for (const QCommandLineOption* only :
             {&options.all, &options.format, &options.output, &options.address, &options.quiet})
            if (parser.isSet(*only))
                return badUsage(QStringLiteral("--%1 works only with --convert.")
                                    .arg(only->names().constLast()));
        invocation.listFiles = parser.positionalArguments();
        if (invocation.listFiles.contains(QStringLiteral("-")))
            return badUsage(QStringLiteral("Standard input (-) is read only with --convert."));
        return invocation;
    }

    invocation.command = Command::Convert;
    invocation.sources = sourcesInOrder(arguments);
    if (invocation.sources.isEmpty())
        invocation.sources.append(AddressSource{AddressSource::StandardInput, {}});
    invocation.wholeList = parser.isSet(options.all);
    invocation.quiet = parser.isSet(options.quiet);
    invocation.outputFolder = parser.value(options.output);
    if (parser.isSet(options.format)) {
        invocation.format = parser.value(options.format).toLower();
        if (invocation.format == QStringLiteral("jpeg"))
            invocation.format = QStringLiteral("jpg");
        if (invocation.format != QStringLiteral("jpg") &&
            invocation.format != QStringLiteral("png"))
            return badUsage(QStringLiteral("Unknown image format '%1': use jpg or png.")
                                .arg(parser.value(options.format)));
    }
    if (parser.isSet(options.output) && invocation.outputFolder.isEmpty())
        return badUsage(QStringLiteral("--output needs a folder."));
    return invocation;
}

QString HelpText() {
    const Options options;
    QCommandLineParser parser;
    options.addTo(parser);
    // The parser's own text starts with a usage line naming the running
    // executable; the options part below it is kept as it is.
    QString optionsPart = parser.helpText();
    optionsPart = optionsPart.mid(optionsPart.indexOf(QStringLiteral("Options:")));
    return QStringLiteral(
               "Usage: %1 [FILE...]\n"
               "  or:  %1 --convert [OPTION...] [FILE...|-]\n"
               "Turn lists of e-mail addresses into images, one per address or one for the\n"
               "whole list, as JPEG or PNG.\n"
               "\n"
               "Without --convert, opens the window with the list FILEs loaded. With it, makes\n"
               "the images without a window or display: addresses come from the FILEs (one\n"
               "per line; - or no FILE reads standard input) and from --address, in the order\n"
               "given.\n"
               "\n")
               .arg(kProgram) +
           optionsPart +
           QStringLiteral("\n"
                          "Exit status with --convert: 0 if every image was made, 1 if some were\n"
                          "not (each address and its reason on standard error), 2 if there was\n"
                          "nothing to do, the output folder does not exist, or the arguments\n"
                          "were wrong.\n"
                          "\n"
                          "Report bugs to: %1\n"
                          "Home page: <%2>\n")
               .arg(product::kSupportAddress, product::kHomePage);
}

QString VersionText() {
    return QStringLiteral("%1 %2\n"
                          "Copyright (C) 2026 The Orvanta developers.\n"
                          "License MIT: <https://opensource.org/license/mit>.\n"
                          "Third-party notices: %3\n"
                          "This is free software: you are free to change and redistribute it.\n"
                          "There is NO WARRANTY, to the extent permitted by law.\n")
        .arg(kProgram, QStringLiteral(ORVANTA_VERSION), QStringLiteral(ORVANTA_NOTICES_PATH));
}

QString UsageHint() {
    return QStringLiteral("Try '%1 --help' for more information.\n").arg(kProgram);
}

} // namespace cli
