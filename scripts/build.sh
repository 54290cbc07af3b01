#!/usr/bin/env bash
# Configures and builds into build/ (override with BUILD_DIR); SANITIZE=1
# switches the sanitizers on.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
sanitize=OFF
[ "${SANITIZE:-0}" = 1 ] && sanitize=ON
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" \
  -DORVANTA_SANITIZE="$sanitize" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
