#!/usr/bin/env bash
# The command line, which draws in its own process, against its peers, in one
# session of interleaved rounds:
#  - `orvanta --convert -j 1` of 1,000 addresses (one PNG each) against the
#    converter run 1,000 times from a shell loop on ready text files, and
#    against ImageMagick drawing the same labels in one process
#    (`convert label:A -write a.png +delete label:B ...`);
#  - `-j 2` against `-j 1` on 3,000 addresses;
#  - one call per address (a Makefile rule), `orvanta --convert -q -e ADDRESS`,
#    against the converter run once on a ready text file;
#  - `orvanta --version` against a bare QCoreApplication that prints one line.
# Scratch data lives in /dev/shm (or $BENCH_DIR). Needs hyperfine and
# ImageMagick. bench/commandline/million.sh times a million addresses.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../common.sh"
needs hyperfine:hyperfine python3:python3 convert:imagemagick
COUNT="${COUNT:-3000}"
source "$here/../addresslist.sh"
runs="${RUNS:-5}"

build_targets orvanta txt2png bench_bare_qcore
program="$build/cli/orvanta"
tool="$build/converter/TXT2PNG.exe"
bare="$build/bench/commandline/bench_bare_qcore"
font=/usr/share/fonts/truetype/liberation2/LiberationMono-Regular.ttf

head -n 1000 "$data/addresses.txt" >"$data/first1000.txt"
mkdir -p "$data/texts1000"
while read -r address; do ln -s "$data/texts/$address" "$data/texts1000/$address"; done \
  <"$data/first1000.txt"
direct="for f in '$data'/texts1000/*; do '$tool' \"\$f\" '$data/out-direct/'\"\${f##*/}\".png; done"
convert="'$program' --convert -q -j 1 -f png -o '$data/out-program' '$data/first1000.txt'"
# One ImageMagick process for the 1,000 labels, as a script too long to inline.
{
  printf "cd '%s/out-magick' && exec /usr/bin/convert -font %s -pointsize 10 -density 96" "$data" "$font"
  while read -r address; do printf " 'label:%s' -write '%s.png' +delete" "$address" "$address"; done \
    <"$data/first1000.txt"
  printf ' null:\n'
} >"$data/magick.sh"
magick="bash '$data/magick.sh'"
jobs() { echo "'$program' --convert -q -j $1 -f png -o '$data/out-j$1' '$data/addresses.txt'"; }
address="$(head -n 1 "$data/addresses.txt")"
mkdir -p "$data/out-one"

# Rounds of one run of each command, interleaved as the machine's speed
# drifts; each round's figures go to $data/NAME-ROUND.json.
#   interleave NAME  OUTPUT LABEL COMMAND  [OUTPUT LABEL COMMAND]...
interleave() {
  local name="$1" round i
  shift
  local given=("$@") arguments=()
  for ((i = 0; i < ${#given[@]}; i += 3)); do
    arguments+=(--prepare "$(fresh "${given[i]}")" --command-name "${given[i + 1]}" "${given[i + 2]}")
  done
  for round in $(seq 1 "$runs"); do
    hyperfine --runs 1 --style none --export-json "$data/$name-$round.json" "${arguments[@]}" \
      >/dev/null
  done
}

echo "== 1,000 addresses, one process per image / orvanta --convert -j 1 / convert label: in one process"
interleave round out-direct "converter 1000x directly" "$direct" \
  out-program "orvanta --convert" "$convert" \
  out-magick "convert label: in one process" "$magick"
echo "== images: $(ls "$data/out-direct" | wc -l) direct, $(ls "$data/out-program" | wc -l)" \
  "orvanta --convert, $(ls "$data/out-magick" | wc -l) convert"

echo "== two threads against one, $count addresses"
interleave jobs out-j1 "-j 1" "$(jobs 1)" out-j2 "-j 2" "$(jobs 2)"

echo "== one call per address"
hyperfine -N --warmup 20 --runs "${CALL_RUNS:-200}" --style none --export-json "$data/call.json" \
  --command-name "orvanta --convert -e" "$program --convert -q -f png -o $data/out-one -e $address" \
  --command-name "converter on a ready text file" "$tool $data/texts/$address $data/out-one/direct.png" \
  >/dev/null

echo "== --version"
hyperfine -N --warmup 20 --runs "${VERSION_RUNS:-300}" --style none --export-json "$data/version.json" \
  --command-name "orvanta --version" "$program --version" \
  --command-name "bare QCoreApplication" "$bare" >/dev/null

python3 - "$data" "$runs" "$count" <<'PY'
import json, statistics, sys
data, runs, count = sys.argv[1], int(sys.argv[2]), sys.argv[3]
def rounds(name):
    return [[r["mean"] for r in json.load(open(f"{data}/{name}-{n}.json"))["results"]]
            for n in range(1, runs + 1)]
three = rounds("round")
for n, (direct, program, magick) in enumerate(three, 1):
    print(f"round {n}: direct {direct:.2f} s, orvanta --convert {program:.3f} s, "
          f"convert {magick:.2f} s")
ratio = statistics.median(p / d for d, p, m in three)
print(f"orvanta --convert -j 1 / direct, median of rounds = {ratio:.3f} (goal <= 0.15)")
faster = statistics.median(m / p for d, p, m in three)
print(f"convert label: in one process / orvanta --convert -j 1, median = {faster:.1f}x (goal >= 8)")
jobs = rounds("jobs")
for n, (one, two) in enumerate(jobs, 1):
    print(f"round {n}: -j 1 {one:.2f} s, -j 2 {two:.2f} s")
share = statistics.median(two / one for one, two in jobs)
print(f"-j 2 / -j 1 on {count} addresses, median of rounds = {share:.2f} (goal <= 0.6)")
call, alone = (r["median"] for r in json.load(open(f"{data}/call.json"))["results"])
print(f"one call per address median {call * 1000:.2f} ms, converter alone {alone * 1000:.2f} ms, "
      f"ratio {call / alone:.2f} (goal <= 1.5)")
version, bare = (r["median"] for r in json.load(open(f"{data}/version.json"))["results"])
print(f"--version median {version * 1000:.2f} ms, bare QCoreApplication {bare * 1000:.2f} ms, "
      f"ratio {version / bare:.2f} (goal <= 1.5)")
PY
