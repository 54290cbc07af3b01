#pragma once

#include <fontconfig/fontconfig.h>

namespace converter {

// The fontconfig configuration that ranks the fallback fonts, with the
// system's fonts loaded from their caches; null when fontconfig cannot start.
FcConfig* loadFallbackConfig();

} // namespace converter
