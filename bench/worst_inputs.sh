#!/bin/sh
# The inputs that once ran for minutes, took gigabytes or would not stop,
# planned by varnel-plan as a user types them: processor time, wall time and
# the most memory each takes, measured by /usr/bin/time -v (Debian: time).
# Every one must stay under 2 s of processor time and 200 MB. Then
# optimise_report --attacks times the bound alone, the search and a cancel.
#   bench/worst_inputs.sh [BUILD_DIR]
set -eu
build=${1:-build}
plan="$build/bin/varnel-plan"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
printf '%-58s %8s %8s %8s\n' "varnel-plan arguments" "user s" "wall s" "max MB"
while read -r args; do
    # shellcheck disable=SC2086
    /usr/bin/time -v "$plan" $args >/dev/null 2>"$out" || true
    user=$(sed -n 's/.*User time (seconds): //p' "$out")
    wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$out")
    kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$out")
    printf '%-58s %8s %8s %8d\n' "$args" "$user" "$wall" $((kb / 1024))
done <<'INPUTS'
--optimise 491000 235 239 60 85 40
--optimise 1310680 235 239 60 85 40
--json --upright 463635 463635 463635 15 15 15
--optimise --upright 463635 463635 463635 15 15 15
--optimise --upright 4000000 4000000 700 610 650 600
--optimise 3.4e37 3.4e37 3.4e37 1.1e33 1.1e33 1.1e33
--optimise --upright 3.4e37 3.4e37 3.4e37 1.1e33 1.1e33 1.1e33
--optimise --upright 1355.6 234.7 269.6 17.3 16.1 15.7
--optimise 1355.6 234.7 269.6 17.3 16.1 15.7
--optimise --upright 527.4 268.1 215.6 54.9 16.8 16.0 --json --quantity 1847
--optimise --json --quantity 3000000 --carton-weight 18 1355.6 234.7 269.6 17.3 16.1 15.7
INPUTS
"$build/bench/optimise_report" --attacks
