#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program in the prepared base directory on the
# simulated writer, which holds a job to restore. Extra arguments are passed on.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" release
base="$root/build/base"
cd "$base"
exec "$root/build/src/gui/app/vexlor-writer" --simulate --base-dir "$base" "$@"
