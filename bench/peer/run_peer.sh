#!/bin/sh
# Runs the MIT-licensed peer binpackingjs 4.1.0 on the benchmark set beside
# our planner. The peer is installed with npm into a scratch folder; it is
# never a dependency of the program.
#   bench/peer/run_peer.sh BUILD_DIR [SCRATCH_DIR]
#   bench/peer/run_peer.sh --mixed BUILD_DIR [SCRATCH_DIR] [mixed_report options]
# Environment: PEER_MAX_CARTONS (default 1500), PEER_ONLY (instance indices,
# comma-separated) to run part of the set. With --mixed, the classes
# BR0-BR15 through mixed_report (e.g. --classes 1-15 --sample 10).
set -eu
mixed=false
if [ "${1:-}" = "--mixed" ]; then
    mixed=true
    shift
fi
build=${1:?usage: run_peer.sh [--mixed] BUILD_DIR [SCRATCH_DIR]}
scratch=${2:-$(mktemp -d)}
shift $(($# < 2 ? $# : 2))
here=$(cd "$(dirname "$0")" && pwd)

if [ ! -d "$scratch/node_modules/binpackingjs" ]; then
    (cd "$scratch" && npm init -y >/dev/null && npm install --no-audit --no-fund binpackingjs@4.1.0 >/dev/null)
fi
if $mixed; then
    report="$build/bench/mixed_report"
    "$report" --instances "$@" >"$scratch/mixed_instances.txt"
    PEER_MODULES="$scratch/node_modules" node "$here/peer_mixed.mjs" <"$scratch/mixed_instances.txt" >"$scratch/mixed_peer.txt"
    "$report" --peer "$scratch/mixed_peer.txt" "$@"
    exit
fi
report="$build/bench/optimise_report"
"$report" --instances >"$scratch/instances.txt"
PEER_MODULES="$scratch/node_modules" node "$here/peer_run.mjs" <"$scratch/instances.txt" >"$scratch/peer.txt"
"$report" --peer "$scratch/peer.txt"
