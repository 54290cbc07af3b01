#pragma once

#include "commandline.h"

namespace cli {

// Carries out what needs no window: help, version, a usage error, or a
// conversion (which makes a console application of its own, so no display
// or platform plugin is ever needed). Returns the exit status.
int RunConsoleCommand(int& argc, char** argv, const Invocation& invocation);

} // namespace cli
