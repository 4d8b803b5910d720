#!/usr/bin/env bash
# Installs what is missing, builds a release build and starts the editor on the example plans.
# Without a display it renders the example plans to PNG files instead and prints their paths.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
build=${TD_RUN_BUILD:-build-release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target timeline-draft tdtool
examples=(examples/project.tdp examples/schedule.tds)
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: rendering the example plans instead."
    out=${TMPDIR:-/tmp}/timeline-draft
    mkdir -p "$out"
    first=2009-04-01  # the example plans lie in April and May 2009
    QT_QPA_PLATFORM=offscreen "$build/tools/tdtool" render examples/project.tdp \
        --png "$out/project.png" --first-date "$first"
    QT_QPA_PLATFORM=offscreen "$build/tools/tdtool" render "${examples[@]}" \
        --png "$out/side-by-side.png" --first-date "$first" --zoom 7
    echo "$out/project.png"
    echo "$out/side-by-side.png"
    exit 0
fi
# The example plans lie in April and May 2009; the schedule needs a day at least 80 pixels wide.
exec "$build/app/timeline-draft" --first-date 2009-04-01 --zoom 7 "${examples[@]}" "$@"
