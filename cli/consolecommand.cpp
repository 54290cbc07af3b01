#include "consolecommand.h"

#include "headlessconversion.h"

#include <QCoreApplication>

#include <cstdio>

namespace cli {
namespace {

constexpr int kBadUsage = 2;

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

int RunConsoleCommand(int& argc, char** argv, const Invocation& invocation) {
    switch (invocation.command) {
    case Command::ShowHelp:
        print(stdout, HelpText());
        return 0;
    case Command::ShowVersion:
        print(stdout, VersionText());
        return 0;
    case Command::Convert: {
        QCoreApplication application(argc, argv);
        return ConvertWithoutWindow(invocation);
    }
    case Command::BadUsage:
    case Command::OpenWindow:
        break;
    }
    print(stderr, QStringLiteral("orvanta: %1\n").arg(invocation.error) + UsageHint());
    return kBadUsage;
}

} // namespace cli
