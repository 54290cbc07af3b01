#pragma once

#include "commandline.h"

#include <support/entrylist.h>

namespace cli {

// The addresses of all sources, in order, read by the window's list-file
// rules; standard input is read like a list file. Throws support::Failure
// naming the first source that cannot be read, before anything is converted.
support::EntryList ReadAddresses(const QList<AddressSource>& sources);

} // namespace cli
