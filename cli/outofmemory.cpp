#include "outofmemory.h"

#include <conversion/runfolder.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>

namespace cli {
namespace {

constexpr int kRunWideProblem = 2;

std::terminate_handler previousHandler = nullptr;

bool outOfMemory() {
    try {
        if (const std::exception_ptr thrown = std::current_exception())
            std::rethrow_exception(thrown);
    } catch (const std::bad_alloc&) {
        return true;
    } catch (...) {
    }
    return false;
}

[[noreturn]] void endCleanly() {
    if (!outOfMemory())
        previousHandler();
    conversion::RunFolder::closeAllOpen();
    std::fputs("orvanta: not enough memory to go on; stopped\n", stderr);
    std::fflush(nullptr);
    std::_Exit(kRunWideProblem);
}

} // namespace

void EndCleanlyWhenMemoryRunsOut() {
    previousHandler = std::set_terminate(endCleanly);
}

} // namespace cli
