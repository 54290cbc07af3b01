#include <cli/commandline.h>
#include <cli/consolecommand.h>
#include <cli/windowfront.h>

int main(int argc, char* argv[]) {
    // The arguments are read before any application object exists: only the
    // window needs a display.
    QList<QByteArray> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    const cli::Invocation invocation = cli::ParseCommandLine(arguments);
    if (invocation.command == cli::Command::OpenWindow)
        return cli::OpenWindow(argc, argv, invocation.listFiles);
    return cli::RunConsoleCommand(argc, argv, invocation);
}
