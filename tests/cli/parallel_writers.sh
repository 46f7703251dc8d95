#!/usr/bin/env bash
# Two tool processes program a chip each on two simulated writers at the same time: both must
# succeed, and each writer's lock holds only its own writer.
# usage: parallel_writers.sh CLI DAEMON BUILT_BASE_DIR
set -euo pipefail
cli=$1 daemon=$2 built=$3
scratch=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
devices=$scratch/devices
export VEXLOR_DEVICE_DIR=$devices VEXLOR_ACCESS_LIBRARY=$scratch/absent.so
guid='3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3'

for name in a b; do
  # Paced like USB, so the two downloads overlap.
  "$daemon" --device-dir "$devices" --name "$name" --usb-timing on > /dev/null &
  pids+=($!)
  base=$scratch/base-$name
  mkdir -p "$base"
  for part in ChipList ICInfo firmware hwversion1.0 hwversion1.1 res VexlorMsg.xml; do
    ln -s "$built/$part" "$base/$part"
  done
  cp "$built/serial.txt" "$built/test_option.prog" "$base/"
  printf ':020000001234B8\n:00000001FF\n' > "$base/prog.hex"
done
for _ in $(seq 100); do
  [ -p "$devices/a#{$guid}/PIPE01" ] && [ -p "$devices/b#{$guid}/PIPE01" ] && break
  sleep 0.1
done

program() {
  "$cli" --writer "pipe:$1" --base-dir "$scratch/base-$1" --yes \
    select QRV7049 load "$scratch/base-$1/prog.hex" auto > "$scratch/out-$1" 2>&1
}
program a & first=$!
program b & second=$!
status=0
wait "$first" || { echo "writer a failed:"; cat "$scratch/out-a"; status=1; }
wait "$second" || { echo "writer b failed:"; cat "$scratch/out-b"; status=1; }

# While another program holds writer a, a is busy and b is free.
flock "$devices/a#{$guid}" bash -c '
  "$1" --writer pipe:a info > /dev/null 2>&1; [ $? -eq 5 ] || { echo "writer a was not busy"; exit 1; }
  "$1" --writer pipe:b info > /dev/null || { echo "writer b was not free"; exit 1; }
' _ "$cli" || status=1
exit "$status"
