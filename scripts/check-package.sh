#!/usr/bin/env bash
# Checks the .deb that scripts/package.sh built as a user would meet it: what
# it holds, its relations, then installs it with apt on this machine and runs
# the installed program: --version, the window, and images made with no
# display, Cyrillic and Arabic addresses among them (Arabic takes the shaping
# library loaded at run time).
#
#   scripts/check-package.sh [PACKAGE.deb]   (default: the newest in build-deb/)
set -uo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
failed=0
fail() {
  echo "check-package: $*" >&2
  failed=1
}

deb="${1:-$(ls -t "${PACKAGE_DIR:-$here/build-deb}"/orvanta_*_*.deb 2>/dev/null | head -n 1)}"
[ -f "$deb" ] || { echo "check-package: no package; run scripts/package.sh" >&2; exit 1; }
deb="$(realpath "$deb")"
echo "$(basename "$deb")"

contents="$(dpkg-deb -c "$deb")"
for file in bin/orvanta "lib/.*/orvanta/orvanta-window.so" share/applications/orvanta.desktop \
    share/metainfo/org.example.orvanta.metainfo.xml share/man/man1/orvanta.1.gz \
    share/doc/orvanta/THIRD-PARTY-NOTICES share/doc/orvanta/copyright \
    share/orvanta/HAND-M.CUR share/orvanta/drag.ico share/icons/hicolor/48x48/apps/orvanta.png; do
  grep -q " \./usr/$file\$" <<<"$contents" || fail "not in the package: /usr/$file"
done

relations() { dpkg-deb -f "$deb" "$1" | sed 's/ *([^)]*)//g; s/, */\n/g'; }
depends="$(relations Depends)"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"
# The libraries the program and the tools it carries link, and what they load
# at run time, where dpkg-shlibdeps cannot see it.
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libfreetype6 \
    libpng16-16 libjpeg62-turbo libfontconfig1 libharfbuzz0b fonts-liberation2; do
  grep -qxF "$package" <<<"$depends" || fail "Depends lacks $package"
done
# Only the VNC and touch plugins; X11 and offscreen come with libqt6gui6.
! grep -qxF qt6-qpa-plugins <<<"$depends" || fail "Depends names qt6-qpa-plugins"
grep -qxF qt6-wayland <<<"$(relations Recommends)" || fail "Recommends lacks qt6-wayland"
grep -q "cjk" <<<"$(relations Suggests)" || fail "Suggests no CJK font"
dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/applications/orvanta.desktop |
  grep -q '^MimeType=' && fail "the desktop entry claims a MIME type"

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
addresses=(a@x.org b@x.org 'иван@пример.рф' 'محمد@مثال.مصر')
arguments=()
for address in "${addresses[@]}"; do arguments+=(-e "$address"); done
headless "$program" --convert -f png -o "$out" "${arguments[@]}" ||
  fail "orvanta --convert failed"
signature="$(printf '\211PNG\r\n\032\n' | od -An -tx1)"
for address in "${addresses[@]}"; do
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
