#!/usr/bin/env bash
# Runs the plain suite (already built in build/, or BUILD_DIR) once more as
# the unprivileged user "nobody", so that every test keeps passing for a user
# whom permissions stop, and keeps writing only to temporary folders. As
# root (CI) it switches to nobody; as anyone else there is nothing to add.
# Where nobody cannot read the tree where it stands (a checkout in /root), a
# copy in a temporary folder is built and tested.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
if [ "$(id -u)" != 0 ]; then
  echo "test-unprivileged.sh: the suite already ran as an unprivileged user" >&2
  exit 0
fi
as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups --inh-caps=-all)

copy=""
trap '[ -z "$copy" ] || rm -rf "$copy"' EXIT
if ! "${as_nobody[@]}" test -r "$build/CTestTestfile.cmake" -a -r "$here/CMakeLists.txt"; then
  copy="$(mktemp -d)"
  chmod 755 "$copy"
  mkdir "$copy/src"
  tar -C "$here" --exclude=./build --exclude=./build-asan -cf - . | tar -C "$copy/src" -xf -
  BUILD_DIR="$copy/build" "$copy/src/scripts/build.sh"
  chmod -R a+rX "$copy"
  build="$copy/build"
fi

# CTest keeps its logs beside the tests it runs; nobody's go to a folder of
# its own that takes in the build's tests.
logs="$(mktemp -d)"
trap 'rm -rf "$logs"; [ -z "$copy" ] || rm -rf "$copy"' EXIT
echo "subdirs(\"$build\")" >"$logs/CTestTestfile.cmake"
mkdir -m 700 "$logs/runtime" # as a session gives one, so Qt makes none in /tmp
chown -R nobody "$logs"

# A home that does not exist: a test that writes outside its temporary
# folders fails instead of leaving files behind. test_install is left out:
# CMake's install writes its manifest into the build tree, which is root's.
cd /
"${as_nobody[@]}" env -i PATH="$PATH" HOME=/nonexistent LANG="${LANG:-C.UTF-8}" \
  XDG_RUNTIME_DIR="$logs/runtime" \
  ctest --test-dir "$logs" --output-on-failure --parallel "$(nproc)" \
  --exclude-regex '^test_install$' "$@"
