#!/usr/bin/env bash
# Whole-process start-up to the first painted frame: the program's own start
# against a bare Qt Widgets window with the same Chinese captions, in the
# same hyperfine run. Usage: bench/startup.sh [BUILD_DIR] (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
command -v hyperfine >/dev/null || { echo "hyperfine is missing (Debian: hyperfine)" >&2; exit 2; }
cmake --build "$build" --target startup_varnel startup_bare varnel_catalogue_file
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$build/bin/qr_ji.qrd" "$scratch/"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
hyperfine --warmup 5 --runs "${RUNS:-40}" -N \
    --export-markdown "$build/startup.md" \
    "$build/bench/startup_bare" \
    "$build/bench/startup_varnel $scratch"
