#!/usr/bin/env bash
# The window's start against its floor: from the program's start until its
# window has painted itself, against a bare Qt window that shows one line of
# text. Both end at their first paint (ORVANTA_EXIT_WHEN_SHOWN), both run on
# one virtual X server with a session bus of its own, as on a desktop, in
# interleaved rounds, as the machine's speed drifts. The program runs on
# scratch settings in a scratch home; its one-in-a-hundred home-page draw
# reaches an xdg-open there that does nothing. Needs hyperfine, xvfb-run and
# dbus-run-session.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../common.sh"

if [ -z "${ORVANTA_BENCH_DISPLAY:-}" ]; then
  needs hyperfine:hyperfine xvfb-run:xvfb xauth:xauth dbus-run-session:dbus-daemon python3:python3
  build_targets orvanta bench_bare_window
  exec xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- env ORVANTA_BENCH_DISPLAY=1 "$0" "$@"
fi

program="$build/cli/orvanta"
bare="$build/bench/window/bench_bare_window"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/bin" "$scratch/run"
chmod 700 "$scratch/run"
printf '#!/bin/sh\nexit 0\n' >"$scratch/bin/xdg-open"
chmod +x "$scratch/bin/xdg-open"
export HOME="$scratch" XDG_CONFIG_HOME="$scratch/.config" XDG_DATA_HOME="$scratch/.local/share" \
  XDG_RUNTIME_DIR="$scratch/run" PATH="$scratch/bin:$PATH" ORVANTA_EXIT_WHEN_SHOWN=1

rounds="${ROUNDS:-5}"
runs="${RUNS:-20}"
for round in $(seq 1 "$rounds"); do
  hyperfine -N --warmup 3 --runs "$runs" --style none --export-json "$scratch/round-$round.json" \
    --command-name "orvanta window" "$program" \
    --command-name "bare window with one line of text" "$bare" >/dev/null
done

python3 - "$scratch" "$rounds" <<'PY'
import json, statistics, sys
scratch, rounds = sys.argv[1], int(sys.argv[2])
ratios = []
for n in range(1, rounds + 1):
    program, bare = (r["median"] for r in json.load(open(f"{scratch}/round-{n}.json"))["results"])
    ratios.append(program / bare)
    print(f"round {n}: window {program * 1000:.1f} ms, bare window {bare * 1000:.1f} ms, "
          f"ratio {program / bare:.2f}")
print(f"window / bare window, median of rounds = {statistics.median(ratios):.2f} (goal <= 1.3)")
PY
