#include <cli/commandline.h>
#include <cli/consolecommand.h>
#include <cli/outofmemory.h>
#include <cli/windowfront.h>

#include <csignal>

int main(int argc, char* argv[]) {
    // Under a file-size limit a write then fails with "File too large", which
    // is reported, instead of ending the program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    cli::EndCleanlyWhenMemoryRunsOut();
    // The arguments are read before any application object exists: only the
    // window needs a display.
    QList<QByteArray> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    const cli::Invocation invocation = cli::ParseCommandLine(arguments);
    if (invocation.command == cli::Command::OpenWindow)
        return cli::OpenWindow(argc, argv, invocation.listFiles);
    return cli::RunConsoleCommand(invocation);
}
