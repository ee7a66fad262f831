#!/usr/bin/env bash
# The main window's pictures on the offscreen platform and, where xvfb-run is
# installed, under X: bench/window_pixels.sh BUILD_DIR OUT_DIR [REFERENCE_DIR].
# With a reference (an earlier OUT_DIR) every picture is compared pixel for
# pixel and the exit status is 1 when any differs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1 out=$2 reference=${3:-}
cmake --build "$build" --target window_pixels varnel_catalogue_file
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$build/bin/qr_ji.qrd" "$scratch/"
platforms=(offscreen)
command -v xvfb-run >/dev/null && platforms+=(xcb)
status=0
for platform in "${platforms[@]}"; do
    mkdir -p "$out/$platform"
    run=("$build/bench/window_pixels" "$scratch" "$out/$platform")
    [ -n "$reference" ] && run+=("$reference/$platform")
    echo "== $platform"
    if [ "$platform" = xcb ]; then
        QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" "${run[@]}" || status=1
    else
        QT_QPA_PLATFORM=offscreen "${run[@]}" || status=1
    fi
done
exit "$status"
