#include "headlessconversion.h"

namespace cli {

int ConvertWithoutWindow(const Invocation&) {
    return 2;
}

} // namespace cli
