#!/usr/bin/env bash
# Two tool processes program a chip each on two simulated writers at once; with one lock for
# both writers the second would find its writer busy.
# usage: parallel_writers.sh CLI DAEMON BUILT_BASE_DIR
set -euo pipefail
cli=$1 daemon=$2 built=$3
scratch=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait; rm -rf "$scratch"' EXIT
export VEXLOR_DEVICE_DIR=$scratch/devices VEXLOR_ACCESS_LIBRARY=$scratch/absent.so
for name in a b; do
  # Paced like USB, so the two downloads overlap.
  "$daemon" --name "$name" --usb-timing on > /dev/null &
  mkdir "$scratch/$name"
  for part in ChipList ICInfo firmware hwversion1.0 hwversion1.1 res VexlorMsg.xml; do
    ln -s "$built/$part" "$scratch/$name/$part"
  done
  cp "$built/serial.txt" "$built/test_option.prog" "$scratch/$name/"
  printf ':020000001234B8\n:00000001FF\n' > "$scratch/$name/prog.hex"
done
for _ in $(seq 100); do
  [ "$(ls "$VEXLOR_DEVICE_DIR" 2>/dev/null | wc -l)" = 2 ] && break
  sleep 0.1
done
program() {
  "$cli" --writer "pipe:$1" --base-dir "$scratch/$1" --yes select QRV7049 load "$scratch/$1/prog.hex" \
    auto > "$scratch/$1/out" 2>&1 || { echo "writer $1 failed:"; cat "$scratch/$1/out"; return 1; }
}
program a & first=$!
program b & second=$!
wait "$first" && wait "$second"
