#include "form1.h"

// Each command object is a child of the window and connects its own controls.
void Form1::attachCommands() {}
