#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest.
# SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ instead (BUILD_DIR still overrides) and runs the same tests.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
if [ "${SANITIZE:-0}" = 1 ]; then
  export BUILD_DIR="${BUILD_DIR:-$here/build-asan}"
fi
"$here/scripts/deps.sh"
"$here/scripts/build.sh"
cd "${BUILD_DIR:-$here/build}"
ctest --output-on-failure --parallel "$(nproc)" "$@"
