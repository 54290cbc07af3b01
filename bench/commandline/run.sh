#!/usr/bin/env bash
# The command line against its floor, in one session of interleaved rounds:
#  - `orvanta --convert -j 1` of 1,000 addresses (one PNG each) against the
#    same converter run 1,000 times directly from a shell loop on ready text files;
#  - `-j 2` against `-j 1` on the first 600 addresses;
#  - one call per address (a Makefile rule), `orvanta --convert -q -e ADDRESS`,
#    against the converter run once on a ready text file;
#  - `orvanta --version` against a bare QCoreApplication that prints one line.
# Scratch data lives in /dev/shm (or $BENCH_DIR). Needs hyperfine.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../common.sh"
needs hyperfine:hyperfine python3:python3
source "$here/../addresslist.sh"
runs="${RUNS:-5}"

build_targets orvanta txt2png bench_bare_qcore
program="$build/cli/orvanta"
tool="$build/converter/TXT2PNG.exe"
bare="$build/bench/commandline/bench_bare_qcore"

direct="$(direct_runs "$tool" out-direct)"
convert="'$program' --convert -q -j 1 -f png -o '$data/out-program' '$data/addresses.txt'"
head -n 600 "$data/addresses.txt" >"$data/first600.txt"
jobs() { echo "'$program' --convert -q -j $1 -f png -o '$data/out-j$1' '$data/first600.txt'"; }
address="$(head -n 1 "$data/addresses.txt")"
mkdir -p "$data/out-one"

# Rounds of one run of each of two commands, interleaved as the machine's
# speed drifts; each round's figures go to $data/NAME-ROUND.json.
#   interleave NAME  OUTPUT-A LABEL-A COMMAND-A  OUTPUT-B LABEL-B COMMAND-B
interleave() {
  for round in $(seq 1 "$runs"); do
    hyperfine --runs 1 --style none --export-json "$data/$1-$round.json" \
      --prepare "$(fresh "$2")" --command-name "$3" "$4" \
      --prepare "$(fresh "$5")" --command-name "$6" "$7" >/dev/null
  done
}

echo "== --convert of $count addresses"
interleave round out-direct "converter ${count}x directly" "$direct" \
  out-program "orvanta --convert" "$convert"
echo "== images: $(ls "$data/out-direct" | wc -l) direct, $(ls "$data/out-program" | wc -l) orvanta --convert"

echo "== two images at a time against one, 600 addresses"
interleave jobs out-j1 "one at a time" "$(jobs 1)" out-j2 "two at a time" "$(jobs 2)"

echo "== one call per address"
hyperfine -N --warmup 20 --runs "${CALL_RUNS:-200}" --style none --export-json "$data/call.json" \
  --command-name "orvanta --convert -e" "$program --convert -q -f png -o $data/out-one -e $address" \
  --command-name "converter on a ready text file" "$tool $data/texts/$address $data/out-one/direct.png" \
  >/dev/null

echo "== --version"
hyperfine -N --warmup 20 --runs "${VERSION_RUNS:-300}" --style none --export-json "$data/version.json" \
  --command-name "orvanta --version" "$program --version" \
  --command-name "bare QCoreApplication" "$bare" >/dev/null

python3 - "$data" "$runs" <<'PY'
import json, statistics, sys
data, runs = sys.argv[1], int(sys.argv[2])
def rounds(name):
    return [[r["mean"] for r in json.load(open(f"{data}/{name}-{n}.json"))["results"]]
            for n in range(1, runs + 1)]
for n, (direct, program) in enumerate(rounds("round"), 1):
    print(f"round {n}: direct {direct:.2f} s, orvanta --convert {program:.2f} s")
ratio = statistics.median(p / d for d, p in rounds("round"))
print(f"orvanta --convert -j 1 / direct, median of rounds = {ratio:.3f} (goal <= 1.05)")
jobs = rounds("jobs")
for n, (one, two) in enumerate(jobs, 1):
    print(f"round {n}: -j 1 {one:.2f} s, -j 2 {two:.2f} s")
speedup = statistics.median(one / two for one, two in jobs)
print(f"-j 1 / -j 2, median of rounds = {speedup:.2f} (goal >= 1.5)")
call, alone = (r["median"] for r in json.load(open(f"{data}/call.json"))["results"])
print(f"one call per address median {call * 1000:.2f} ms, converter alone {alone * 1000:.2f} ms, "
      f"ratio {call / alone:.2f} (goal <= 2)")
version, bare = (r["median"] for r in json.load(open(f"{data}/version.json"))["results"])
print(f"--version median {version * 1000:.2f} ms, bare QCoreApplication {bare * 1000:.2f} ms, "
      f"ratio {version / bare:.2f} (goal <= 1.5)")
PY
