#!/usr/bin/env bash
# Builds orvanta_<version>_<arch>.deb in the build folder (BUILD_DIR, default
# build/), reusing what is built there. The package installs under /usr and
# the program names its installed files by full path, so the build is set to
# that prefix first; only the program is then rebuilt.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
"$here/scripts/deps.sh"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target orvanta orvanta_docs
rm -f "$build"/orvanta_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/orvanta_*.deb
