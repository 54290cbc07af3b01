#include "commandline.h"

#include "pageoptions.h"

#include <support/productinfo.h>

#include <QCommandLineParser>
#include <QFile>

#include <sched.h>

namespace cli {
namespace {

const QString kProgram = QStringLiteral("orvanta");
// Each job is a thread with a font of its own; a thousand is far past any
// gain.
constexpr int kMostJobs = 1000;

// The options, described once for the parser and for --help.
struct Options {
    QCommandLineOption convert{QStringLiteral("convert"),
                               QStringLiteral("Make the images without opening the window.")};
    QCommandLineOption all{{QStringLiteral("a"), QStringLiteral("all")},
                           QStringLiteral("One image for the whole list instead of one per "
                                          "address.")};
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
    QCommandLineOption name{{QStringLiteral("n"), QStringLiteral("name")},
                            QStringLiteral("Name each image by TEMPLATE (the extension is "
                                           "added): {address} (the default), {local} and "
                                           "{domain} (around the last @), {n} (the address's "
                                           "place, from 1), {hash} (16 hex digits of its "
                                           "SHA-256). With -a, the image's name (default "
                                           "Orvanta_Result)."),
                            QStringLiteral("TEMPLATE")};
    QCommandLineOption null{{QStringLiteral("z"), QStringLiteral("null")},
                            QStringLiteral("Addresses end at NUL, not at line ends; --print "
                                           "ends each path with NUL.")};
    QCommandLineOption print{QStringLiteral("print"),
                             QStringLiteral("Write the path of each image made to standard "
                                            "output, one a line, in list order.")};
    QCommandLineOption json{QStringLiteral("json"),
                            QStringLiteral("Write one JSON object a line to standard output for "
                                           "each address, in list order: address, path, width "
                                           "and height of an image made; address and reason of "
                                           "one not made.")};
    QCommandLineOption jobs{{QStringLiteral("j"), QStringLiteral("jobs")},
                            QStringLiteral("Make N images at once, on threads of this "
                                           "process (default: the number of processors the "
                                           "program may use; lowered to fit the limit on open "
                                           "files)."),
                            QStringLiteral("N")};
    QCommandLineOption quiet{{QStringLiteral("q"), QStringLiteral("quiet")},
                             QStringLiteral("Show no progress line or summary.")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("V"), QStringLiteral("version")},
                               QStringLiteral("Show the version and licence and exit.")};

    PageOptions page;

    QList<QCommandLineOption> convertOnly() const {
        return QList<QCommandLineOption>{all,  format, output, address, name,
                                         null, print,  json,   jobs,    quiet} +
               page.all();
    }

    void addTo(QCommandLineParser& parser) const {
        parser.addOptions(
            {convert, all, format, output, address, name, null, print, json, jobs, quiet});
        parser.addOptions(page.all());
        parser.addOptions({help, version});
        parser.addPositionalArgument(QStringLiteral("FILE"),
                                     QStringLiteral("List files, one address per line; with "
                                                    "--convert, - reads standard input."),
                                     QStringLiteral("[FILE...]"));
    }
};

// The parser takes text, and arguments are bytes: a byte that is not part of
// valid UTF-8 is carried through it as a lone surrogate (U+DC80 + the byte),
// which no decoded text holds, and turned back afterwards. So a file name or
// an address arrives as the bytes it was given as.
QString carried(const QByteArray& bytes) {
    QString text;
    const auto* at = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const uchar lead = at[i];
        const int length = lead < 0x80                   ? 1
                           : lead >= 0xC2 && lead < 0xE0 ? 2
                           : lead >= 0xE0 && lead < 0xF0 ? 3
                           : lead >= 0xF0 && lead < 0xF5 ? 4
                                                         : 0;
        const QString decoded = length > 0 && i + length <= size
                                    ? QString::fromUtf8(bytes.constData() + i, length)
                                    : QString();
        // Overlong forms, surrogates and continuation errors decode to U+FFFD.
        if (length == 0 || decoded.isEmpty() || decoded.contains(QChar::ReplacementCharacter)) {
            text += QChar(0xDC00 + lead);
            ++i;
        } else {
            text += decoded;
            i += length;
        }
    }
    return text;
}

QByteArray uncarried(const QString& text) {
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool carriedByte = c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF &&
                                 (i == 0 || !text[i - 1].isHighSurrogate());
        if (carriedByte)
            bytes += char(c.unicode() - 0xDC00);
        else if (c.isHighSurrogate() && i + 1 < text.size())
            bytes += QStringView(text).mid(i++, 2).toUtf8();
        else
            bytes += QStringView(&c, 1).toUtf8();
    }
    return bytes;
}

AddressSource positionalSource(const QString& argument) {
    if (argument == QStringLiteral("-"))
        return {AddressSource::StandardInput, {}};
    return {AddressSource::ListFile, uncarried(argument)};
}

// The lists and --address texts in the order the arguments give them. The
// parser hands the two out apart; where each address stands among the lists
// is found by the same parser reading ever longer beginnings of the
// arguments, so no second reading of them can disagree with it.
QList<AddressSource> sourcesInOrder(const Options& options, const QStringList& arguments,
                                    const QStringList& lists, const QStringList& addresses) {
    const auto parsed = [&](qsizetype length) {
        QCommandLineParser parser;
        options.addTo(parser);
        parser.parse(arguments.first(length));
        return std::pair(parser.values(options.address).size(),
                         parser.positionalArguments().size());
    };
    QList<AddressSource> sources;
    qsizetype listsTaken = 0;
    for (qsizetype k = 0; k < addresses.size(); ++k) {
        qsizetype shortest = 1, longest = arguments.size();
        while (shortest < longest) {
            const qsizetype middle = (shortest + longest) / 2;
            if (parsed(middle).first > k)
                longest = middle;
            else
                shortest = middle + 1;
        }
        const qsizetype listsBefore = lists.size() > listsTaken ? parsed(shortest).second : 0;
        for (; listsTaken < listsBefore; ++listsTaken)
            sources.append(positionalSource(lists[listsTaken]));
        sources.append({AddressSource::Address, uncarried(addresses[k])});
    }
    for (; listsTaken < lists.size(); ++listsTaken)
        sources.append(positionalSource(lists[listsTaken]));
    return sources;
}

int processorsAvailable() {
    cpu_set_t set;
    if (::sched_getaffinity(0, sizeof set, &set) == 0)
        return qMax(CPU_COUNT(&set), 1);
    return 1;
}

Invocation badUsage(const QString& error) {
    Invocation invocation;
    invocation.command = Command::BadUsage;
    invocation.error = error;
    return invocation;
}

} // namespace

Invocation ParseCommandLine(const QList<QByteArray>& arguments) {
    const Options options;
    QCommandLineParser parser;
    options.addTo(parser);
    QStringList decoded;
    for (const QByteArray& argument : arguments)
        decoded.append(carried(argument));
    if (!parser.parse(decoded))
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
        for (const QCommandLineOption& only : options.convertOnly())
            if (parser.isSet(only))
                return badUsage(QStringLiteral("--%1 works only with --convert.")
                                    .arg(only.names().constLast()));
        for (const QString& list : parser.positionalArguments())
            invocation.listFiles.append(QFile::decodeName(uncarried(list)));
        if (invocation.listFiles.contains(QStringLiteral("-")))
            return badUsage(QStringLiteral("Standard input (-) is read only with --convert."));
        return invocation;
    }

    invocation.command = Command::Convert;
    invocation.sources = sourcesInOrder(options, decoded, parser.positionalArguments(),
                                        parser.values(options.address));
    if (invocation.sources.isEmpty())
        invocation.sources.append(AddressSource{AddressSource::StandardInput, {}});
    invocation.outputFolder = uncarried(parser.value(options.output));
    invocation.wholeList = parser.isSet(options.all);
    invocation.quiet = parser.isSet(options.quiet);
    invocation.nulSeparated = parser.isSet(options.null);
    invocation.printPaths = parser.isSet(options.print);
    invocation.json = parser.isSet(options.json);
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
    if (parser.isSet(options.name)) {
        QString error;
        const auto name = NameTemplate::parse(parser.value(options.name), &error);
        if (!name)
            return badUsage(error);
        if (invocation.wholeList && name->hasPlaceholders())
            return badUsage(QStringLiteral("With --all, --name is the one image's name; it "
                                           "takes no {placeholders}."));
        invocation.name = *name;
    }
    if (const auto error = options.page.read(parser, invocation))
        return badUsage(*error);
    invocation.jobs = processorsAvailable();
    if (parser.isSet(options.jobs)) {
        bool number = false;
        invocation.jobs = parser.value(options.jobs).toInt(&number);
        if (!number || invocation.jobs < 1 || invocation.jobs > kMostJobs)
            return badUsage(QStringLiteral("--jobs takes a number from 1 to %1, not '%2'.")
                                .arg(kMostJobs)
                                .arg(parser.value(options.jobs)));
    }
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
               "the images without a window or display: addresses come from the FILEs (any\n"
               "readable file: a pipe, <(...), /dev/stdin; - or no FILE reads standard input)\n"
               "and from --address, in the order given, one a line. Lines are trimmed and\n"
               "blank ones skipped; a line that is not UTF-8 is read as Windows-1252.\n"
               "\n")
               .arg(kProgram) +
           optionsPart +
           QStringLiteral(
               "\n"
               "Exit status with --convert: 0 if every image was made, 1 if some were\n"
               "not (each address and its reason on standard error, as is an address\n"
               "whose image would get an earlier address's path), 2 if the run could\n"
               "not go on: nothing to do, a list that cannot be read, an output folder\n"
               "that does not exist or cannot be written, a transparent ground asked\n"
               "of JPEG, no font, a standard output that fails, no memory, or wrong\n"
               "arguments. The images are drawn in this process; no temporary file is\n"
               "made. SIGINT, SIGTERM, SIGHUP and SIGPIPE stop the run at once,\n"
               "leaving nothing half made, and end the program by that signal.\n"
               "\n"
               "Scaled and dark images are named NAME@2x, NAME@dark, NAME@dark@2x (the\n"
               "extension after); in a run that makes them, a name that itself ends so\n"
               "is refused. The alternative text is \"e-mail address\" unless --alt\n"
               "says otherwise: the address itself would stand in the page's HTML.\n"
               "\n"
               "Example, images for a web page at 1x and 2x, named by a keyed hash:\n"
               "  mkdir -p site/img\n"
               "  %1 --convert -f png -o site/img --name '{hash}' --key-file site.key \\\n"
               "    --scale 1,2 --html --url img list.txt\n"
               "gives for each address a line such as\n"
               "  <img src=\"img/5d41402abc4b2a76.png\" srcset=\"img/5d41402abc4b2a76.png 1x,\n"
               "  img/5d41402abc4b2a76@2x.png 2x\" width=\"128\" height=\"15\"\n"
               "  alt=\"e-mail address\">\n"
               "(one line). The output folder must exist.\n"
               "\n"
               "Report bugs to: %2\n"
               "Home page: <%3>\n")
               .arg(kProgram, product::kSupportAddress, product::kHomePage);
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
