#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>

#include <optional>

class QCommandLineParser;

namespace cli {

struct Invocation;

// The --convert options for web pages: scales, colours, the dark set, the
// markup, how the page reaches the images, and the key of {hash}.
struct PageOptions {
    QCommandLineOption scale{QStringLiteral("scale"),
                             QStringLiteral("Make an image at each scale in LIST (1 to 4, such "
                                            "as 1,2,3): NAME@Nx at N times the size, for "
                                            "screens with N pixels to the CSS pixel."),
                             QStringLiteral("LIST")};
    QCommandLineOption color{QStringLiteral("color"),
                             QStringLiteral("Text colour: #rgb, #rrggbb or a CSS colour name "
                                            "(default black)."),
                             QStringLiteral("COLOR")};
    QCommandLineOption background{QStringLiteral("background"),
                                  QStringLiteral("Ground colour (default white), or transparent "
                                                 "(PNG only)."),
                                  QStringLiteral("COLOR")};
    QCommandLineOption dark{QStringLiteral("dark"),
                            QStringLiteral("Also make a set for a dark colour scheme, named "
                                           "NAME@dark and NAME@dark@Nx, in COLOR on BACKGROUND "
                                           "(default transparent)."),
                            QStringLiteral("COLOR[,BACKGROUND]")};
    QCommandLineOption html{QStringLiteral("html"),
                            QStringLiteral("Write one line of HTML a page can show per address "
                                           "to standard output: <img> with src, srcset, width, "
                                           "height and alt; with --dark, in a <picture>.")};
    QCommandLineOption url{QStringLiteral("url"),
                           QStringLiteral("How the page reaches the output folder, for --html "
                                          "and --json (default: the folder as given)."),
                           QStringLiteral("PREFIX")};
    QCommandLineOption alt{QStringLiteral("alt"),
                           QStringLiteral("Alternative text for --html (default \"e-mail "
                                          "address\")."),
                           QStringLiteral("TEXT")};
    QCommandLineOption key{QStringLiteral("key"),
                           QStringLiteral("Make {hash} an HMAC-SHA-256 under KEY, so that known "
                                          "addresses cannot be matched against the names."),
                           QStringLiteral("KEY")};
    QCommandLineOption keyFile{QStringLiteral("key-file"),
                               QStringLiteral("The same with the key in FILE (less a final line "
                                              "end); not seen in the process list."),
                               QStringLiteral("FILE")};

    QList<QCommandLineOption> all() const {
        return {scale, color, background, dark, html, url, alt, key, keyFile};
    }

    // Reads what was given into `invocation`; the reason when it makes no
    // sense.
    std::optional<QString> read(const QCommandLineParser& parser, Invocation& invocation) const;
};

} // namespace cli
