#pragma once

#include <dlfcn.h>

namespace converter {

// Sets target to the function `name` of a library opened with dlopen; false
// when the library has none.
template <typename Function> bool resolve(void* library, const char* name, Function& target) {
    target = reinterpret_cast<Function>(::dlsym(library, name));
    return target != nullptr;
}

} // namespace converter
