#pragma once

#include "commandline.h"

namespace cli {

// Carries out what needs no window: help, version, a usage error, or a
// conversion (with no application object, so no display or platform plugin
// is ever needed). Returns the exit status.
int RunConsoleCommand(const Invocation& invocation);

} // namespace cli
