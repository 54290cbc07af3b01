#include "form1.h"

#include "addressintake.h"
#include "filedrop.h"
#include "listreorder.h"

// Each command object is a child of the window and connects its own controls.
void Form1::attachCommands() {
    new AddressIntake(*this);
    new FileDrop(*this);
    new ListReorder(*this);
}
