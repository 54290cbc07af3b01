#!/usr/bin/env bash
# The address list at scale, through the real window on the offscreen
# platform: loading a list file of 1,000,000 addresses (wall time, peak memory,
# paging through afterwards), the peak memory of loading one of 5,000,000
# addresses (125 MB), and dropping a tree of 100,000 files in 10,000
# folders, timed against `find -type f` on the same tree in the same run.
# Needs hyperfine, python3 and GNU time. Scratch data goes to a temporary
# folder, or to $BENCH_DIR to keep it between runs.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../common.sh"
needs hyperfine:hyperfine python3:python3 /usr/bin/time:time
data="${BENCH_DIR:-$(mktemp -d)}"
runs="${RUNS:-10}"

build_targets bench_listload
bench="$build/bench/listload/bench_listload"
export QT_QPA_PLATFORM=offscreen

# 25 bytes a line with CR LF: "user0000000@example.com".
make_list() {
  [ -f "$1" ] || python3 - "$1" "$2" <<'PY'
import sys
with open(sys.argv[1], "w", newline="") as f:
    f.writelines(f"user{n:07d}@example.com\r\n" for n in range(int(sys.argv[2])))
PY
}
make_list "$data/list.txt" 1000000
make_list "$data/list5m.txt" 5000000
# 100 x 100 folders with 10 files each, below 100 folders and the top one.
[ -d "$data/tree" ] || python3 - "$data/tree" <<'PY'
import os, sys
for a in range(100):
    for b in range(100):
        leaf = os.path.join(sys.argv[1], f"d{a:02d}", f"e{b:02d}")
        os.makedirs(leaf)
        for n in range(10):
            open(os.path.join(leaf, f"mail{n}.txt"), "w").close()
PY
for list in list.txt list5m.txt; do
  echo "$list: $(wc -l <"$data/$list") lines, $(stat -c %s "$data/$list") bytes"
done
echo "tree: $(find "$data/tree" -type d | wc -l) folders, $(find "$data/tree" -type f | wc -l) files"

echo "== load: inside the program, then the whole process"
"$bench" scroll "$data/list.txt"
/usr/bin/time -f "load process: %e s wall, peak RSS %M KiB" "$bench" load "$data/list.txt"
/usr/bin/time -f "5,000,000 load process: %e s wall, peak RSS %M KiB" "$bench" load "$data/list5m.txt"
/usr/bin/time -f "idle process: %e s wall, peak RSS %M KiB" "$bench" idle
hyperfine --warmup 1 --runs "$runs" "'$bench' idle" "'$bench' load '$data/list.txt'"

echo "== drop: inside the program, then against find"
"$bench" drop "$data/tree"
/usr/bin/time -f "drop process: %e s wall, peak RSS %M KiB" "$bench" drop "$data/tree"
hyperfine --warmup 2 --runs "$runs" "find '$data/tree' -type f" "'$bench' drop '$data/tree'" \
  "'$bench' idle"
