#!/usr/bin/env bash
# Installs what is missing, builds the normal and the sanitizer flavour and runs every test in both.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"

export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

"$root/scripts/build.sh" release
(cd "$root/build" && ctest --output-on-failure --timeout 600 -j "$jobs")

"$root/scripts/build.sh" sanitize
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
# The system font library keeps its configuration for the life of the process.
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$root/build-sanitize" && ctest --output-on-failure --timeout 600 -j "$jobs")
