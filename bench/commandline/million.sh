#!/usr/bin/env bash
# A million addresses through `orvanta --convert` at the default -j, to PNG,
# timed with its peak memory by /usr/bin/time -v; beside it, for scale, the
# same run's first 10,000 addresses. Scratch data in /dev/shm (or $BENCH_DIR):
# about 1.3 GB of images.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../common.sh"
needs /usr/bin/time:time
build_targets orvanta
program="$build/cli/orvanta"
data="${BENCH_DIR:-$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)}"
[ -n "${BENCH_DIR:-}" ] || trap 'rm -rf "$data"' EXIT
count="${COUNT:-1000000}"
seq 1 "$count" | awk '{ printf "user%07d.%s@example%d.com\n", $1, substr("abcdefghij", 1, $1 % 10), $1 % 97 }' \
  >"$data/addresses.txt"
head -n 10000 "$data/addresses.txt" >"$data/first10000.txt"

run() {
  rm -rf "$data/out" && mkdir "$data/out"
  /usr/bin/time -v "$program" --convert -q -f png -o "$data/out" "$1" 2>"$data/time.txt"
  echo "$(wc -l <"$1") addresses: $(ls -f "$data/out" | grep -c png) images," \
    "$(grep 'Elapsed (wall' "$data/time.txt" | awk '{ print $NF }') wall," \
    "peak $(awk '/Maximum resident/ { printf "%.1f", $NF / 1024 }' "$data/time.txt") MiB"
}
run "$data/first10000.txt"
run "$data/addresses.txt"
