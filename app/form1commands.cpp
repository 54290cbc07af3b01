#include "form1.h"

#include "addressintake.h"
#include "conversionrun.h"
#include "enterkeyclick.h"
#include "filedrop.h"
#include "keyboardreorder.h"
#include "listreorder.h"
#include "outputfolder.h"

// Each command object is a child of the window and connects its own controls.
void Form1::attachCommands() {
    intake_ = new AddressIntake(*this);
    commands_ = {intake_,
                 new FileDrop(*this),
                 new ListReorder(*this),
                 new KeyboardReorder(*this),
                 new OutputFolderCommand(*this),
                 new ConversionRun(*this),
                 new EnterKeyClick(*this)};
}

void Form1::openListFiles(const QStringList& paths) {
    intake_->loadListFiles(paths);
}
