#!/usr/bin/env bash
# Configures and builds one flavour: scripts/build.sh [release|sanitize] [ninja targets...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
flavour="${1:-release}"
shift || true

case "$flavour" in
  release)  dir="$root/build"; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  sanitize) dir="$root/build-sanitize"; flags=(-DCMAKE_BUILD_TYPE=Debug -DVEXLOR_SANITIZE=ON -DVEXLOR_BUILD_BENCH=OFF) ;;
  *) echo "unknown flavour $flavour (release or sanitize)" >&2; exit 2 ;;
esac

if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$root" -B "$dir" -G Ninja "${flags[@]}"
fi
cmake --build "$dir" -- "$@"
