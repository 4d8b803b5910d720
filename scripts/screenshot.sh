#!/usr/bin/env bash
# Makes docs/screenshot.png: the editor with the example plans, on a virtual X display.
# The example plans lie in April 2009, so the view starts there, a day 80 pixels wide.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh imagemagick
build=${TD_RUN_BUILD:-build-release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target timeline-draft
export TD_EDITOR="$PWD/$build/app/timeline-draft" TD_SHOT="$PWD/docs/screenshot.png"
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
    cd examples
    "$TD_EDITOR" --first-date 2009-04-01 --zoom 7 project.tdp schedule.tds 2>/dev/null &
    editor=$!
    trap "kill $editor" EXIT
    for _ in $(seq 40); do
        sleep 0.5
        # Once the window is mapped, give it a moment to paint the chart.
        if import -window "Timeline Draft" "$TD_SHOT" 2>/dev/null; then
            sleep 2
            import -window "Timeline Draft" "$TD_SHOT"
            exit 0
        fi
    done
    echo "the editor window did not appear" >&2
    exit 1
'
echo "$TD_SHOT"
