#pragma once

#include <QStringList>

namespace cli {

// Opens the window, with these list files loaded, and returns when it closes.
// The window lives in a module of its own beside the program (or in the
// installed library folder), loaded only now: the GUI libraries cost a
// command-line run more than all its own work.
int OpenWindow(int& argc, char** argv, const QStringList& listFiles);

} // namespace cli
