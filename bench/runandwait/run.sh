#!/bin/sh
# Builds the run-and-wait benchmark in its own folder and compares, run by run,
# RunAndWait with a bare posix_spawn + waitpid and with QProcess, with a small
# heap and with a 1,000,000-address heap; then times whole processes of 1,000
# runs each with hyperfine. Optional: a converter to time instead of /bin/true,
#   bench/runandwait/run.sh [PATH/TO/TXT2PNG.exe]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${BUILD_DIR:-$here/../../build-bench-runandwait}
count=${COUNT:-1000}

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 >/dev/null
bench=$build/bench_runandwait

set -- ${1:+"$1"}
if [ $# -eq 1 ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    printf 'someone@example.org\r\n' >"$work/emails.txt"
    set -- -- "$1" "$work/emails.txt" "$work/out.png"
fi

for heap in "" --big-heap; do
    "$bench" direct runandwait withbar qprocess qprocess-closing --count "$count" $heap "$@"
done

if command -v hyperfine >/dev/null; then
    hyperfine -N --warmup 1 --runs "${RUNS:-10}" \
        "$bench direct --count $count $*" \
        "$bench runandwait --count $count $*" \
        "$bench qprocess --count $count $*"
fi
