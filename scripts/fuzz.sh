#!/usr/bin/env bash
# Builds every fuzz target (clang, address and undefined-behaviour sanitizers) in build-fuzz and
# runs each for the given number of seconds (default 60), from its generated seeds and the
# corpus kept in build-fuzz, with its dictionary when it has one. A crashing input is written to build-fuzz/findings/<target>/ and
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
status=0
while read -r name program seeds dict; do
  [ -n "$name" ] || continue
  corpus="$dir/corpus/$name"
  findings="$dir/findings/$name"
  mkdir -p "$corpus" "$findings"
  options=()
  if [ "$dict" != "-" ]; then
    options+=("-dict=$dict")
  fi
  echo "== $name for ${seconds}s"
  # New inputs go into the first directory; the seeds are only read.
  if ! "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$findings/" -print_final_stats=1 "${options[@]}" "$corpus" "$seeds"; then
    echo "$name failed; inputs in $findings" >&2
    status=1
  fi
done < "$dir/fuzz/targets.txt"
exit "$status"
