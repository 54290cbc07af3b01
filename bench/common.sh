# Sourced by the benchmark scripts. Sets `repo` and `build` (BUILD_DIR, or
# build-bench/ in the checkout) and offers:
#   needs command:package ...   installs with apt the packages whose command is
#                               missing (as root, or through sudo)
#   build_targets target ...    configures the build with the benchmarks on and
#                               builds those targets
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$repo/build-bench}"

needs() {
  local missing=() tool
  for tool in "$@"; do
    command -v "${tool%%:*}" >/dev/null || missing+=("${tool#*:}")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_targets() {
  cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANTA_BENCH=ON >/dev/null
  cmake --build "$build" -j2 --target "$@" >/dev/null
}
