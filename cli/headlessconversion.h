#pragma once

#include "commandline.h"

namespace cli {

// Makes the images of a --convert invocation, drawn in this process with the
// converter's own code, and returns the exit status: 0 all made, 1 some not
// made (each told on standard error), 2 when the run could not start or go
// on (told in one line). A stop request ends the program by its signal.
int ConvertWithoutWindow(const Invocation& invocation);

} // namespace cli
