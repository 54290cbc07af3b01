#!/usr/bin/env bash
# One conversion run of 1,000 addresses in per-address PNG mode through the
# real window on the offscreen platform, against the same converter run
# 1,000 times directly from a shell loop, and against ImageMagick's
# `convert label:` once per address on the same list (in Liberation Mono, the
# converter's own font; ImageMagick's default Helvetica may be missing), in
# one session of hyperfine runs. The program's own click-to-"Done." time is printed first;
# the whole process adds about 75 ms of start and exit.
# The program runs as on a desktop, with TEMP unset, so its run folder lives
# in $XDG_RUNTIME_DIR (a memory file system under a login session;
# one under /dev/shm is made when the variable is unset); a second program
# command puts TEMP on the disk instead.
# Scratch data (text files and the three output folders) goes to a folder in
# /dev/shm, or to $BENCH_DIR: on an ext4 without a journal, as on the machine
# this was written on, every file made soon after many deletions scans past
# the deleted inodes, which slows whichever command runs later in the session.
# Needs hyperfine and ImageMagick (/usr/bin/convert).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../common.sh"
needs hyperfine:hyperfine /usr/bin/convert:imagemagick python3:python3
source "$here/../addresslist.sh"
disk_temp="$(mktemp -d -p /var/tmp)"
made+=("$disk_temp")
runs="${RUNS:-5}"
magick=/usr/bin/convert # not a wrapper from PATH: the package's own binary

build_targets bench_conversion txt2png
bench="$build/bench/conversion/bench_conversion"
tool="$build/converter/TXT2PNG.exe"

direct="$(direct_runs "$tool" out-direct)"
program="'$bench' '$data/addresses.txt' '$data/out-program/'"
program_disk_temp="TEMP='$disk_temp' $program"
imagemagick="while read -r a; do '$magick' -font Liberation-Mono label:\"\$a\" '$data/out-magick/'\"\$a\".png; done <'$data/addresses.txt'"

echo "== inside the program"
rm -rf "$data/out-program" && mkdir "$data/out-program"
"$bench" "$data/addresses.txt" "$data/out-program/"

echo "== whole processes; rounds interleave the commands, as the machine's speed drifts"
for round in $(seq 1 "$runs"); do
  hyperfine --runs 1 --style none --export-json "$data/round-$round.json" \
    --prepare "$(fresh out-direct)" --command-name "converter ${count}x directly" "$direct" \
    --prepare "$(fresh out-program)" --command-name "program" "$program" \
    --prepare "$(fresh out-program)" --command-name "program, TEMP on disk" "$program_disk_temp" \
    >/dev/null
done
hyperfine --runs 1 --export-json "$data/magick.json" \
  --prepare "$(fresh out-magick)" --command-name "convert label: ${count}x" "$imagemagick"

echo "== images: $(ls "$data/out-direct" | wc -l) direct, $(ls "$data/out-program" | wc -l) program, $(ls "$data/out-magick" | wc -l) ImageMagick"
python3 - "$data" "$runs" <<'PY'
import json, statistics, sys
data, runs = sys.argv[1], int(sys.argv[2])
rounds = [[r["mean"] for r in json.load(open(f"{data}/round-{n}.json"))["results"]]
          for n in range(1, runs + 1)]
magick = json.load(open(f"{data}/magick.json"))["results"][0]["mean"]
for n, (direct, program, disk) in enumerate(rounds, 1):
    print(f"round {n}: direct {direct:.2f} s, program {program:.2f} s, TEMP on disk {disk:.2f} s")
direct, program, disk = (statistics.median(column) for column in zip(*rounds))
ratio = statistics.median(p / d for d, p, _ in rounds)
disk_ratio = statistics.median(t / d for d, _, t in rounds)
print(f"medians: direct {direct:.2f} s, program {program:.2f} s (TEMP on disk {disk:.2f} s), "
      f"ImageMagick {magick:.2f} s")
print(f"program / direct, median of rounds = {ratio:.2f} (TEMP on disk {disk_ratio:.2f}; goal <= 1.3)")
print(f"ImageMagick / program = {magick / program:.1f} (goal >= 8)")
PY
