#!/usr/bin/env bash
# Installs what is missing, builds, and opens the main window.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/deps.sh"
"$here/scripts/build.sh"
exec "${BUILD_DIR:-$here/build}/cli/orvanta" "$@"
