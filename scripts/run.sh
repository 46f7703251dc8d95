#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program in the prepared base directory.
# Without an attached writer it runs on the simulated writer. Extra arguments are passed on.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" release
base="$root/build/base"
cd "$base"
exec "$root/build/src/cli/vexlor-writer-cli" --simulate --base-dir "$base" info "$@"
