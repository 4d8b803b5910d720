#!/usr/bin/env bash
# Editing by mouse on screens of device pixel ratio 1, 1.5 and 2 (Qt's scale factor on a virtual
# X display): a task band drawn along an empty row, then moved by its body, then saved. The
# pointer moves by the same logical pixels at every ratio, so every ratio must save the same
# plan, and the task must lie on the days under the pointer.
# Usage: ScaledEditingTest.sh EDITOR TDTOOL EXAMPLES_DIR. Exits 77 (skipped) without Xvfb or
# xdotool.
set -euo pipefail
editor=$1
tdtool=$2
examples=$3
source "$(dirname "$0")/VirtualDisplay.sh"
fail() { echo "FAIL: $*" >&2; tail -20 "$work/editor.log" >&2; exit 1; }
start_display 2560x1600

# xdotool speaks device pixels; the gestures are given in logical ones.
at() { awk -v s="$scale" -v x="$1" -v y="$2" 'BEGIN { printf "%d %d", x * s + 0.5, y * s + 0.5 }'; }

edit_at() {
    scale=$1
    cp "$examples/project.tdp" "$work/plan-$scale.tdp"
    QT_SCALE_FACTOR=$scale "$editor" --first-date 2009-04-01 --zoom 7 "$work/plan-$scale.tdp" 2>>"$work/editor.log" &
    pids+=($!)
    local pid=$! window=""
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --pid "$pid" --name '^Timeline Draft$' 2>/dev/null | tail -1) && [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "no window at scale $scale"
    xdotool windowmove --sync "$window" 0 0 windowfocus --sync "$window"
    sleep 0.5
    # The task-band tool and a drag along the empty row of 詳細設計 from April 2 to April 4
    # (80 pixels a day from x 340); then the select tool, a click on the band and a drag of its
    # body two days to the right.
    xdotool mousemove $(at 237 33) click 1
    sleep 0.2
    xdotool mousemove $(at 430 280) mousedown 1 mousemove $(at 500 281) mousemove $(at 590 282) mouseup 1
    sleep 0.3
    xdotool mousemove $(at 188 33) click 1
    sleep 0.2
    xdotool mousemove $(at 500 273) click 1
    sleep 0.2
    xdotool mousemove $(at 500 273) mousedown 1 mousemove $(at 580 273) mousemove $(at 660 273) mouseup 1
    sleep 0.3
    xdotool key ctrl+s
    for _ in $(seq 50); do cmp -s "$examples/project.tdp" "$work/plan-$scale.tdp" || break; sleep 0.1; done
    sleep 0.3
    kill "$pid"
}

for s in 1 1.5 2; do edit_at "$s"; done
cmp -s "$examples/project.tdp" "$work/plan-1.tdp" && fail "the edits at scale 1 saved nothing"
for s in 1 1.5 2; do
    "$tdtool" export "$work/plan-$s.tdp" --csv-items "$work/items.csv"
    grep -q '^20,TaskBand,5,詳細設計,0,2009-04-04,2009-04-06,' "$work/items.csv" ||
        fail "at scale $s the band is not on April 4 to 6: $(tail -1 "$work/items.csv")"
    cmp "$work/plan-1.tdp" "$work/plan-$s.tdp" || fail "the plan edited at scale $s differs from the one at scale 1"
done
echo "scaled editing: the same plan saved at device pixel ratios 1, 1.5 and 2"
