#!/usr/bin/env bash
# Builds every fuzz target (clang, address and undefined-behaviour sanitizers) in build-fuzz and
# runs each for the given number of seconds (default 60), from its generated seeds and the
# corpus kept in build-fuzz, with its dictionary when it has one, as many at once as there are
# cores. A crashing input is written to build-fuzz/findings/<target>/ and
# ends the script with a failure.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
dir="$root/build-fuzz"

if [ ! -f "$dir/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVEXLOR_FUZZ=ON -DVEXLOR_BUILD_GUI=OFF -DVEXLOR_BUILD_BENCH=OFF
fi
cmake --build "$dir" --target vexlor_fuzz

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Targets run side by side, one per core; each keeps its output in a log printed when it ends.
jobs="${FUZZ_JOBS:-$(nproc)}"
logs="$dir/logs"
mkdir -p "$logs"

fuzz_one() {
  local name="$1" program="$2" seeds="$3" dict="$4"
  local corpus="$dir/corpus/$name" findings="$dir/findings/$name"
  mkdir -p "$corpus" "$findings"
  local options=()
  if [ "$dict" != "-" ]; then
    options+=("-dict=$dict")
  fi
  # New inputs go into the first directory; the seeds are only read.
  if ! "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$findings/" -print_final_stats=1 "${options[@]}" "$corpus" "$seeds" \
      >"$logs/$name.txt" 2>&1; then
    echo "$name failed; inputs in $findings" >>"$logs/$name.txt"
    touch "$logs/$name.failed"
    return 1
  fi
}

status=0
names=()
running=0
while read -r name program seeds dict; do
  [ -n "$name" ] || continue
  names+=("$name")
  rm -f "$logs/$name.failed"
  echo "== $name for ${seconds}s"
  fuzz_one "$name" "$program" "$seeds" "$dict" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n || status=1
    running=$((running - 1))
  fi
done < "$dir/fuzz/targets.txt"
while [ "$running" -gt 0 ]; do
  wait -n || status=1
  running=$((running - 1))
done
for name in "${names[@]}"; do
  echo "== $name"
  if [ -e "$logs/$name.failed" ]; then
    tail -n 80 "$logs/$name.txt"
  else
    grep -E '^(Done|stat::)' "$logs/$name.txt" || true
  fi
done
exit "$status"
