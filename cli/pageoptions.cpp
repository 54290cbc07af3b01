#include "pageoptions.h"

#include "addresshash.h"
#include "commandline.h"
#include "csscolor.h"

#include <QCommandLineParser>

namespace cli {
namespace {

std::optional<QString> readColors(const PageOptions& options, const QCommandLineParser& parser,
                                  ImageStyles& styles) {
    QString error;
    if (parser.isSet(options.scale)) {
        const auto scales = ParseScales(parser.value(options.scale), &error);
        if (!scales)
            return error;
        styles.scales = *scales;
    }
    if (parser.isSet(options.color)) {
        const auto ink = ParseCssColor(parser.value(options.color), &error);
        if (!ink)
            return QStringLiteral("--color: ") + error;
        if (ink->transparent)
            return QStringLiteral("--color: the text cannot be transparent.");
        styles.light.ink = ink->rgb;
    }
    if (parser.isSet(options.background)) {
        const auto ground = ParseCssColor(parser.value(options.background), &error);
        if (!ground)
            return QStringLiteral("--background: ") + error;
        styles.light.ground = ground->rgb;
        styles.light.clearGround = ground->transparent;
    }
    if (parser.isSet(options.dark)) {
        styles.dark = ParseDarkSet(parser.value(options.dark), &error);
        if (!styles.dark)
            return error;
    }
    return std::nullopt;
}

std::optional<QString> readKey(const PageOptions& options, const QCommandLineParser& parser,
                               NameTemplate& name) {
    const bool key = parser.isSet(options.key), keyFile = parser.isSet(options.keyFile);
    if (!key && !keyFile)
        return std::nullopt;
    if (key && keyFile)
        return QStringLiteral("Give --key or --key-file, not both.");
    if (!name.usesHash())
        return QStringLiteral("A key changes only {hash}: name the images with --name '{hash}'.");
    QString error;
    const std::optional<QByteArray> value =
        key ? std::optional(parser.value(options.key).toUtf8())
            : ReadKeyFile(parser.value(options.keyFile), &error);
    if (!value)
        return error;
    if (value->isEmpty())
        return QStringLiteral("--key needs a key.");
    name.setKey(*value);
    return std::nullopt;
}

} // namespace

std::optional<QString> PageOptions::read(const QCommandLineParser& parser,
                                         Invocation& invocation) const {
    if (const auto error = readColors(*this, parser, invocation.styles))
        return error;
    invocation.html = parser.isSet(html);
    if (invocation.html && (invocation.json || invocation.printPaths))
        return QStringLiteral("--html, --json and --print all write to standard output: give "
                              "one.");
    if (parser.isSet(url) && !invocation.html && !invocation.json)
        return QStringLiteral("--url works only with --html or --json.");
    if (parser.isSet(url))
        invocation.urlPrefix = parser.value(url);
    if (parser.isSet(alt) && !invocation.html)
        return QStringLiteral("--alt works only with --html.");
    if (parser.isSet(alt))
        invocation.alt = parser.value(alt);
    return readKey(*this, parser, invocation.name);
}

} // namespace cli
