#pragma once

#include "fontconfigapi.h"

namespace converter {

// The fontconfig configuration that ranks the fallback fonts, with the
// system's fonts loaded from their caches; null when fontconfig cannot start.
FcConfig* loadFallbackConfig(const FontconfigApi& fc);

} // namespace converter
