#!/usr/bin/env bash
# Installs the build into a scratch prefix, checks every file lands in its
# place, and runs the desktop, AppStream and man page validators on what was
# installed: any message from them fails the test.
set -uo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"

for file in bin/orvanta share/applications/orvanta.desktop \
    share/metainfo/org.example.orvanta.metainfo.xml share/man/man1/orvanta.1.gz \
    share/doc/orvanta/LICENSE share/doc/orvanta/THIRD-PARTY-NOTICES \
    share/orvanta/HAND-M.CUR share/orvanta/drag.ico \
    share/icons/hicolor/256x256/apps/orvanta.png share/icons/hicolor/scalable/apps/orvanta.svg; do
  [ -s "$prefix/$file" ] || fail "not installed: $file"
done
quiet() { # runs a validator; its output is its complaint
  local out
  out="$("$@" 2>&1)" || { echo "$out"; fail "$*"; return; }
  [ -z "$out" ] || { echo "$out"; fail "$* warned"; }
}
quiet desktop-file-validate "$prefix/share/applications/orvanta.desktop"
out="$(appstreamcli validate-tree --no-net --pedantic "$prefix" 2>&1)" || fail "appstreamcli"
grep -E '^[EWI]: ' <<<"$out" && fail "appstreamcli complained"
quiet bash -c "set -o pipefail; zcat \"$prefix/share/man/man1/orvanta.1.gz\" | groff -ww -z -man -Tutf8"
exit $failed
