# Sourced by the benchmarks that convert a list of addresses, after common.sh.
# Sets `data` (scratch folder: $BENCH_DIR, or a new one in /dev/shm) and
# `made` (folders removed at exit), writes $data/addresses.txt (COUNT
# addresses of 20 to 30 characters) with one text file each in $data/texts/
# for the converter run directly, and leaves the program to run as on a
# desktop: TEMP unset, its run folder in $XDG_RUNTIME_DIR (made in /dev/shm
# when unset).
# Scratch data stays off the disk: on an ext4 without a journal, every file
# made soon after many deletions scans past the deleted inodes, which slows
# whichever command runs later in the session.
made=()
cleanup() { rm -rf "${made[@]}"; }
trap cleanup EXIT
if [ -n "${BENCH_DIR:-}" ]; then
  data="$BENCH_DIR"
else
  data="$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)"
  made+=("$data")
fi
count="${COUNT:-1000}"

mkdir -p "$data/texts"
seq 1 "$count" | awk '{ printf "user%05d.%s@example%d.com\n", $1, substr("abcdefghij", 1, $1 % 10), $1 % 97 }' \
  >"$data/addresses.txt"
while read -r address; do printf '%s' "$address" >"$data/texts/$address"; done <"$data/addresses.txt"

unset TEMP
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR="$(mktemp -d -p /dev/shm)"
  export XDG_RUNTIME_DIR
  made+=("$XDG_RUNTIME_DIR")
fi

# A hyperfine --prepare command that empties the output folder $data/$1.
fresh() { echo "rm -rf '$data/$1' && mkdir '$data/$1'"; }
# The converter $1 run once per text file, into $data/$2.
direct_runs() { echo "for f in '$data'/texts/*; do '$1' \"\$f\" '$data/$2/'\"\${f##*/}\".png; done"; }
