#!/usr/bin/env bash
# Checks the .deb that scripts/package.sh built as a user would meet it: what
# it holds, its Depends, then installs it with apt on this machine and runs
# the installed program: --version, and three images made with no display.
set -uo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
failed=0
fail() {
  echo "check-package: $*" >&2
  failed=1
}

deb="$(ls -t "$build"/orvanta_*_*.deb 2>/dev/null | head -n 1)"
[ -n "$deb" ] || { echo "check-package: no package in $build; run scripts/package.sh" >&2; exit 1; }
deb="$(realpath "$deb")"
echo "$(basename "$deb")"

contents="$(dpkg-deb -c "$deb")"
for file in bin/orvanta "lib/.*/orvanta/orvanta-window.so" share/applications/orvanta.desktop \
    share/metainfo/org.example.orvanta.metainfo.xml share/man/man1/orvanta.1.gz \
    share/doc/orvanta/THIRD-PARTY-NOTICES share/doc/orvanta/LICENSE \
    share/orvanta/HAND-M.CUR share/orvanta/drag.ico share/icons/hicolor/48x48/apps/orvanta.png; do
  grep -q " \./usr/$file\$" <<<"$contents" || fail "not in the package: /usr/$file"
done

depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
names="$(sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends")"
# Found by dpkg-shlibdeps, and loaded at run time where it cannot see them.
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 \
    libharfbuzz0b qt6-qpa-plugins qt6-wayland fonts-liberation2; do
  grep -qxF "$package" <<<"$names" || fail "Depends lacks $package"
done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall "$deb" >/dev/null ||
  { fail "apt-get install $deb"; exit 1; }

# No display: neither needs one, and a window opened by mistake fails at once.
headless() { timeout 300 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }
program=/usr/bin/orvanta
version="$(headless "$program" --version)" || fail "orvanta --version failed"
grep -q "MIT" <<<"$version" || fail "--version names no licence"
grep -q "/usr/share/doc/orvanta/THIRD-PARTY-NOTICES" <<<"$version" ||
  fail "--version does not say where the notices are"
[ -s /usr/share/doc/orvanta/THIRD-PARTY-NOTICES ] || fail "the notices are not installed"

# The window module loads: the window is still up when stopped, where a
# module that cannot load ends the program at once with status 1.
timeout 5 env QT_QPA_PLATFORM=offscreen "$program" >/dev/null 2>&1
[ $? -eq 124 ] || fail "the installed program opens no window"

out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
headless "$program" --convert -f png -o "$out" -e a@x.org -e b@x.org -e c@x.org ||
  fail "orvanta --convert failed"
signature="$(printf '\211PNG\r\n\032\n' | od -An -tx1)"
for address in a@x.org b@x.org c@x.org; do
  image="$out/$address.png"
  if [ ! -s "$image" ]; then
    fail "no image for $address"
    continue
  fi
  [ "$(head -c 8 "$image" | od -An -tx1)" = "$signature" ] || fail "$image is not a PNG"
  file -b "$image" | grep -q "^PNG image data, [1-9][0-9]* x [1-9][0-9]*" ||
    fail "$image: $(file -b "$image")"
done

[ $failed -eq 0 ] && echo "check-package: the installed package works"
exit $failed
