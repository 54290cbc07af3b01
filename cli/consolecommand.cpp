#include "consolecommand.h"

#include "headlessconversion.h"

#include <support/failure.h>

#include <cerrno>
#include <cstdio>

namespace cli {
namespace {

// Also what --help and --version give when their text could not be written.
constexpr int kBadUsage = 2;

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// --help and --version succeed only when their text arrived.
int printToStandardOutput(const QString& text) {
    print(stdout, text);
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return 0;
    print(stderr, QStringLiteral("orvanta: standard output: %1\n").arg(support::ErrorText(errno)));
    return kBadUsage;
}

} // namespace

int RunConsoleCommand(const Invocation& invocation) {
    switch (invocation.command) {
    case Command::ShowHelp:
        return printToStandardOutput(HelpText());
    case Command::ShowVersion:
        return printToStandardOutput(VersionText());
    case Command::Convert:
        return ConvertWithoutWindow(invocation);
    case Command::BadUsage:
    case Command::OpenWindow:
        break;
    }
    print(stderr, QStringLiteral("orvanta: %1\n").arg(invocation.error) + UsageHint());
    return kBadUsage;
}

} // namespace cli
