#!/usr/bin/env bash
# Line and branch coverage of src/core and src/sim from every test, in a build of its own.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$root/build-cov"

if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVEXLOR_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_C_FLAGS=--coverage
fi
cmake --build "$dir" -- -j2
find "$dir" -name '*.gcda' -delete
# Notes of objects the build no longer makes (a test file moved or removed) would be merged with
# the current ones and break gcovr, so only the current objects' notes are kept.
(cd "$dir" && ninja -t targets all | sed -n 's/\.o: .*$/.gcno/p' | sort >current-notes.txt &&
  find . -name '*.gcno' -printf '%P\n' | sort | comm -23 - current-notes.txt | xargs -r rm -f)
(cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --timeout 600 -j2 "$@") || true
# One gcov pass over the whole build, then the summaries per folder from its record.
gcovr -r "$root" --json -o "$dir/coverage.json" "$dir"
for part in "src/core src/sim" src/core src/sim; do
  filters=()
  for folder in $part; do filters+=(--filter "$folder/"); done
  echo "== $part"
  # The report goes to a file of the build: gcovr replaces its output file, and as root a
  # replaced /dev/null would break every program on the machine.
  gcovr -r "$root" -a "$dir/coverage.json" "${filters[@]}" --print-summary -o "$dir/coverage.txt"
done
