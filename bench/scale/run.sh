#!/usr/bin/env bash
# What a larger scale costs: `orvanta --convert -j 1` of COUNT addresses
# (3,000 by default, PNG) at --scale 2 against the same list at scale 1, in
# one hyperfine session (quote the ratio of the means). Goal: at most 2,
# though a scale-2 image has four times the pixels.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../common.sh"
needs hyperfine:hyperfine
COUNT="${COUNT:-3000}"
source "$here/../addresslist.sh"

build_targets orvanta
program="$build/cli/orvanta"
mkdir -p "$data/out-1" "$data/out-2"
at() { echo "$program --convert -q -j 1 -f png --scale $1 -o $data/out-$1 $data/addresses.txt"; }

hyperfine -N --warmup 1 --runs "${RUNS:-7}" "$(at 1)" "$(at 2)"
echo "images: $(ls "$data/out-1" | wc -l) at scale 1, $(ls "$data/out-2" | wc -l) at scale 2"
