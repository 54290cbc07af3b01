#!/usr/bin/env bash
# The support routines behind the address intake, without the window: the
# drop of a tree of 100,000 files in 10,000 folders timed against
# `find -type f` on the same tree in the same run, and the reading of a list
# file of 1,000,000 addresses (about 25 MB). Needs hyperfine, python3 and GNU
# time. Scratch data goes to a temporary folder, or to $BENCH_DIR to keep it.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../common.sh"
needs hyperfine:hyperfine python3:python3 /usr/bin/time:time
data="${BENCH_DIR:-$(mktemp -d)}"
runs="${RUNS:-10}"

build_targets walkbench
bench="$build/bench/folderwalk/walkbench"

[ -d "$data/tree" ] || python3 "$here/maketree.py" "$data/tree"
[ -f "$data/list.txt" ] || python3 "$here/makelist.py" "$data/list.txt"
echo "tree: $(find "$data/tree" -type d | wc -l) folders, $(find "$data/tree" -type f | wc -l) files"
echo "list: $(wc -l <"$data/list.txt") lines, $(stat -c %s "$data/list.txt") bytes"

echo "== drop: inside the routine, then the whole process against find"
"$bench" drop "$data/tree"
/usr/bin/time -f "drop process: %e s wall, peak RSS %M KiB" "$bench" drop "$data/tree"
hyperfine --warmup 2 --runs "$runs" "find '$data/tree' -type f" "'$bench' drop '$data/tree'"

echo "== load: inside the routine, then the whole process"
"$bench" load "$data/list.txt"
/usr/bin/time -f "load process: %e s wall, peak RSS %M KiB" "$bench" load "$data/list.txt"
hyperfine --warmup 2 --runs "$runs" "'$bench' load '$data/list.txt'"
