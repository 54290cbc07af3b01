#!/usr/bin/env bash
# Whole-process time and peak memory of TXT2PNG.exe and TXT2JPG.exe, side by
# side with ImageMagick's `convert label:`, pango-view and two floors on the
# same text in the same run: a C program that reads the text file and writes
# one file while linking the very libraries the tools link (the same NEEDED
# list: what any tool linked so pays before drawing), and the same program
# linking nothing. Then one address in each of Latin, Cyrillic, Arabic and
# Chinese script, with the CJK font the package suggests installed, timed and
# counted in instructions (callgrind: the same count however busy the machine
# is). A benchmark, not a test: it prints figures and judges none.
#
#   bench/converter/bench.sh [RUNS]      RUNS per one-line command (default 300)
#
# Builds the tools into build-bench/ (or BUILD_DIR) and installs hyperfine,
# ImageMagick, pango-view, valgrind and fonts-noto-cjk with apt when they are
# missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
runs="${1:-300}"

source "$root/bench/common.sh"
needs hyperfine:hyperfine /usr/bin/convert:imagemagick pango-view:pango1.0-tools \
      cc:gcc python3:python3 /usr/bin/time:time valgrind:valgrind
cjk_font=/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc
[ -e "$cjk_font" ] || needs "$cjk_font:fonts-noto-cjk"

"$root/scripts/deps.sh"
build_targets txt2png txt2jpg
png="$build/converter/TXT2PNG.exe"
jpg="$build/converter/TXT2JPG.exe"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
address="alice.example@example.com"
printf '%s\n' "$address" > one.txt
for i in $(seq 1000); do printf 'user%04d.name@mail.example.org\n' "$i"; done > list.txt
cat > floor.c <<'C'
#include <stdio.h>
int main(void) {
    char text[4096];
    FILE* in = fopen("one.txt", "rb");
    size_t size = in ? fread(text, 1, sizeof text, in) : 0;
    FILE* out = fopen("floor.out", "wb");
    return in && fclose(in) == 0 && out && fwrite(text, 1, size, out) == size &&
                   fclose(out) == 0 ? 0 : 1;
}
C
cc -O2 -o floor floor.c
needed() { readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | sort; }
links=()
for library in $(needed "$png"); do
  [ "$library" = libc.so.6 ] || links+=("-l:$library")
done
cc -O2 -o floor-linked floor.c -Wl,--no-as-needed "${links[@]}"
[ "$(needed floor-linked)" = "$(needed "$png")" ] ||
  { echo "the linked floor's NEEDED list differs from the tool's" >&2; exit 1; }
echo "TXT2PNG.exe: $(stat -c %s "$png") bytes; NEEDED: $(needed "$png" | tr '\n' ' ')"
echo "TXT2JPG.exe: $(stat -c %s "$jpg") bytes; NEEDED: $(needed "$jpg" | tr '\n' ' ')"
printf '%s\n' 'иван@пример.рф' > cyrillic.txt
printf '%s\n' 'محمد@مثال.مصر' > arabic.txt
printf '%s\n' '用户@例子.中国' > chinese.txt

font=/usr/share/fonts/truetype/liberation2/LiberationMono-Regular.ttf
magick_one="/usr/bin/convert -font $font -pointsize 10 -density 96 label:$address magick.png"
pango_one="pango-view --font='Liberation Mono 10' --dpi=96 -q -o pango.png one.txt"

echo "== One address line, whole process, $runs runs each"
hyperfine -N --warmup 20 --runs "$runs" --export-json one.json \
  -n TXT2PNG.exe "$png one.txt out.png" \
  -n TXT2JPG.exe "$jpg one.txt out.jpg" \
  -n "convert label:" "$magick_one" \
  -n pango-view "$pango_one" \
  -n "same-library floor" "./floor-linked" \
  -n "minimal C program" "./floor"

echo
echo "== One address per script, TXT2PNG.exe, $runs runs each"
hyperfine -N --warmup 20 --runs "$runs" --export-json scripts.json \
  -n Latin "$png one.txt out.png" \
  -n Cyrillic "$png cyrillic.txt out.png" \
  -n Arabic "$png arabic.txt out.png" \
  -n Chinese "$png chinese.txt out.png"

instructions() { # counted by callgrind over one run
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}
echo
echo "== Instructions, one run each"
latin_count=$(instructions "$png" one.txt out.png)
echo "TXT2PNG.exe Latin    $latin_count"
for script in cyrillic arabic chinese; do
  count=$(instructions "$png" $script.txt out.png)
  echo "TXT2PNG.exe $script $count, $(python3 -c "print(f'{$count / $latin_count:.2f}')") x the Latin one"
done
count=$(instructions $magick_one)
echo "convert label:       $count, $(python3 -c "print(f'{$count / $latin_count:.1f}')") x TXT2PNG.exe"

echo
# convert is left out here: Debian's ImageMagick policy refuses a label that tall.
echo "== 1000 address lines"
hyperfine -N --warmup 2 --runs 10 --export-json list.json \
  -n TXT2PNG.exe "$png list.txt list.png" \
  -n TXT2JPG.exe "$jpg list.txt list.jpg" \
  -n pango-view "pango-view --font='Liberation Mono 10' --dpi=96 -q -o pango-list.png list.txt"

peak() { # largest resident set over five runs, in KiB
  local most=0 kib
  for _ in 1 2 3 4 5; do
    kib=$(/usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n1)
    [ "$kib" -gt "$most" ] && most=$kib
  done
  echo "$most"
}

echo
echo "== Summary (medians)"
python3 - one.json list.json scripts.json <<'PY'
import json, sys
one, many, scripts = ({r["command"]: r for r in json.load(open(f))["results"]}
                      for f in sys.argv[1:4])
ms = lambda r: r["median"] * 1000
for name in one:
    print(f"one line   {name:18} median {ms(one[name]):7.2f} ms")
# How far any tool that links these libraries could be ahead of convert.
print(f"convert label: / same-library floor: {ms(one['convert label:']) / ms(one['same-library floor']):5.1f} x")
for tool in ("TXT2PNG.exe", "TXT2JPG.exe"):
    print(f"{tool} / same-library floor: {ms(one[tool]) / ms(one['same-library floor']):5.2f} x")
    for other in ("convert label:", "pango-view"):
        print(f"{other} / {tool}: {ms(one[other]) / ms(one[tool]):5.1f} x")
for name in many:
    print(f"1000 lines {name:18} median {ms(many[name]):7.2f} ms")
for name in scripts:
    print(f"{name:8} address median {ms(scripts[name]):6.2f} ms,"
          f" {ms(scripts[name]) / ms(scripts['Latin']):4.2f} x the Latin one")
PY
echo "peak memory, one line: TXT2PNG.exe $(peak "$png" one.txt out.png) KiB," \
  "TXT2JPG.exe $(peak "$jpg" one.txt out.jpg) KiB," \
  "convert $(peak /usr/bin/convert -font $font -pointsize 10 -density 96 label:$address magick.png) KiB," \
  "pango-view $(peak pango-view '--font=Liberation Mono 10' --dpi=96 -q -o pango.png one.txt) KiB," \
  "minimal C program $(peak ./floor) KiB"
echo "peak memory, 1000 lines: TXT2PNG.exe $(peak "$png" list.txt list.png) KiB," \
  "TXT2JPG.exe $(peak "$jpg" list.txt list.jpg) KiB"
