#!/usr/bin/env bash
# Builds the Debian package from debian/ and prints the .deb's path as its
# last line. The build runs in a scratch copy of the checkout's files, so the
# work tree and build/ stay as they were; the .deb (with its build log)
# lands in PACKAGE_DIR (default build-deb/ in the checkout). The tests are
# left to scripts/test.sh (DEB_BUILD_OPTIONS=nocheck unless given). lintian
# then checks the package and fails the script on any error or warning.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="${PACKAGE_DIR:-$here/build-deb}"

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
apt_install() {
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get "$@"
}
for tool in dpkg-checkbuilddeps:dpkg-dev lintian:lintian; do
  command -v "${tool%%:*}" >/dev/null || apt_install install -y -qq --no-install-recommends "${tool#*:}"
done
# What debian/control asks for to build (debhelper among it).
dpkg-checkbuilddeps -B "$here/debian/control" 2>/dev/null ||
  apt_install build-dep -y -qq --no-install-recommends "$here"

# The source's date is the last commit's, so two builds of one commit give the
# same bytes wherever they run.
SOURCE_DATE_EPOCH="$(git -C "$here" log -1 --format=%ct)"
export SOURCE_DATE_EPOCH
export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-nocheck}"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
source="$scratch/orvanta"
mkdir "$source"
# The files git knows, as they are in the work tree.
git -C "$here" ls-files -z | (cd "$here" && xargs -0 cp --parents -t "$source")
(cd "$source" && dpkg-buildpackage -b -us -uc >"$scratch/build.log" 2>&1) || {
  tail -n 40 "$scratch/build.log" >&2
  echo "package: dpkg-buildpackage failed; the whole log is in $out/build.log" >&2
  mkdir -p "$out" && cp "$scratch/build.log" "$out/build.log"
  exit 1
}

mkdir -p "$out"
cp "$scratch/build.log" "$out/build.log"
changes="$(ls "$scratch"/orvanta_*.changes)"
lintian --fail-on error,warning --pedantic --info "$changes" >&2 ||
  { echo "package: lintian found errors or warnings" >&2; exit 1; }
deb="$(ls "$scratch"/orvanta_*.deb)"
rm -f "$out"/orvanta_*.deb
cp "$deb" "$out/"
echo "$out/$(basename "$deb")"
