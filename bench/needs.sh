# Sourced by the benchmark scripts: `needs command:package ...` installs with
# apt the packages whose command is missing (as root, or through sudo).
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
