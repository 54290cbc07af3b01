#pragma once

#include <QIcon>

// The program's icon at 32, 48 and 256 pixels.
QIcon ProgramIcon();
