#!/bin/sh
# Runs the MIT-licensed peer binpackingjs 4.1.0 on the benchmark set beside
# our planner. The peer is installed with npm into a scratch folder; it is
# never a dependency of the program.
#   bench/peer/run_peer.sh BUILD_DIR [SCRATCH_DIR]
# Environment: PEER_MAX_CARTONS (default 1500), PEER_ONLY (instance indices,
# comma-separated) to run part of the set.
set -eu
build=${1:?usage: run_peer.sh BUILD_DIR [SCRATCH_DIR]}
scratch=${2:-$(mktemp -d)}
here=$(cd "$(dirname "$0")" && pwd)
report="$build/bench/optimise_report"

if [ ! -d "$scratch/node_modules/binpackingjs" ]; then
    (cd "$scratch" && npm init -y >/dev/null && npm install --no-audit --no-fund binpackingjs@4.1.0 >/dev/null)
fi
"$report" --instances >"$scratch/instances.txt"
PEER_MODULES="$scratch/node_modules" node "$here/peer_run.mjs" <"$scratch/instances.txt" >"$scratch/peer.txt"
"$report" --peer "$scratch/peer.txt"
