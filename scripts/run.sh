#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program in the prepared base directory: on the
# attached writer when one is there, otherwise on the simulated writer (which holds a job to
# restore). Extra arguments are passed on.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" release
base="$root/build/base"

writer_attached() {
  local dev
  for dev in /sys/bus/usb/devices/*; do
    if [ "$(cat "$dev/idVendor" 2>/dev/null)" = 7a5c ] &&
       [ "$(cat "$dev/idProduct" 2>/dev/null)" = 0c31 ]; then
      return 0
    fi
  done
  compgen -G "${VEXLOR_DEVICE_DIR:-/run/vexlor-writer}/*3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3*" > /dev/null
}

mode=(--simulate)
if writer_attached; then
  mode=()
fi
cd "$base"
exec "$root/build/src/gui/app/vexlor-writer" "${mode[@]}" --base-dir "$base" "$@"
