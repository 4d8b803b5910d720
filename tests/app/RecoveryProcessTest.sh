#!/usr/bin/env bash
# Recovery with real editors on a virtual X display, driven by real mouse and key events:
# editors changed by a drag and killed with SIGKILL offer their plans to the next editor, which
# saves exactly what a save before the kill would have written; a running editor's copies are
# not offered; a clean exit leaves no copy; a damaged copy is set aside and reported once; a save
# over a file another process changed asks first.
# Usage: RecoveryProcessTest.sh EDITOR EXAMPLES_DIR. Exits 77 (skipped) without Xvfb or xdotool.
set -euo pipefail
editor=$1
examples=$2
source "$(dirname "$0")/VirtualDisplay.sh"
declare -A redo_keys
fail() { echo "FAIL: $*" >&2; ls -la "$copies" >&2; tail -20 "$work/editor.log" >&2; exit 1; }
start_display 1280x800
copies="$XDG_STATE_HOME/timeline-draft"

start_editor() {
    "$editor" --first-date 2009-04-01 --zoom 7 "$@" 2>>"$work/editor.log" &
    pids+=($!)
    last=$!
}

# Waits for the last started editor's window whose title matches and gives it the keyboard (no
# window manager here).
focus() {
    local window=""
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --pid "$last" --name "$1" 2>/dev/null | tail -1) && [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "no window \"$1\""
    xdotool windowfocus --sync "$window"
    sleep 0.3
}

# The task-band tool, then a drag along the empty row of 詳細設計 from April 2 to April 4.
draw_task() {
    focus '^Timeline Draft$'
    xdotool mousemove 237 33 click 1
    sleep 0.2
    xdotool mousemove 430 280 mousedown 1 mousemove 500 281 mousemove 590 282 mouseup 1
}

count() { find "$copies" -name "$1" 2>/dev/null | wc -l; }

wait_for_copies() {
    for _ in $(seq 150); do [ "$(count '*.record')" -ge "$1" ] && return; sleep 0.1; done
    fail "expected $1 recovery copies, found $(count '*.record')"
}

# The File menu's last entry, Exit: it ends without the save prompt.
# A loaded machine may open the menu after the keys came: the gesture is tried again then.
exit_editor() {
    last=$1
    for _ in 1 2 3; do
        kill -0 "$1" 2>/dev/null || return 0
        focus '^Timeline Draft$'
        xdotool mousemove 34 8 click 1
        sleep 0.5
        xdotool key Up Return
        for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
        xdotool key Escape Escape
    done
    fail "the editor did not exit"
}

# What a save before the kill writes: the same drags and Ctrl+S in an editor of its own, with
# the last drag undone and redone by each of the two redo keys on the way.
redo_keys[a]=ctrl+y
redo_keys[b]=ctrl+shift+z
for plan in a b; do
    cp "$examples/project.tdp" "$work/ref-$plan.tdp"
    XDG_STATE_HOME="$work/ref-state" start_editor "$work/ref-$plan.tdp"
    draw_task
    [ "$plan" = b ] && { sleep 0.3; xdotool mousemove 430 330 mousedown 1 mousemove 510 330 mouseup 1; }
    xdotool key ctrl+z "${redo_keys[$plan]}" ctrl+s
    sleep 0.5
    exit_editor "$last"
    cmp -s "$examples/project.tdp" "$work/ref-$plan.tdp" && fail "the reference save of $plan changed nothing"
done

# Two editors on two plans, each changed by a drag; the second does not offer the first's copy.
cp "$examples/project.tdp" "$work/a.tdp"
cp "$examples/project.tdp" "$work/b.tdp"
start_editor "$work/a.tdp"
first=$last
draw_task
wait_for_copies 1
start_editor "$work/b.tdp"
second=$last
draw_task
sleep 0.3
xdotool mousemove 430 330 mousedown 1 mousemove 510 330 mouseup 1
wait_for_copies 2
xdotool search --name 'データの復元' >/dev/null 2>&1 && fail "a running editor's copy was offered"
kill -9 "$first" "$second"
wait "$first" "$second" 2>/dev/null || true
cmp -s "$examples/project.tdp" "$work/a.tdp" || fail "the killed editor wrote its plan"

# A new editor offers both (Yes is the default button); Save writes both plans.
start_editor
third=$last
focus 'データの復元'
xdotool key Return
focus 'データの復元'
xdotool key Return
focus '^Timeline Draft$'
xdotool key ctrl+s
sleep 1
cmp "$work/ref-a.tdp" "$work/a.tdp" || fail "the recovered plan a differs from a save before the kill"
cmp "$work/ref-b.tdp" "$work/b.tdp" || fail "the recovered plan b differs from a save before the kill"
exit_editor "$third"
[ "$(find "$copies" -type f | wc -l)" -eq 0 ] || fail "copies left after a clean exit: $(ls "$copies")"

# A copy that does not read back is set aside, reported once, and never opened.
printf 'timeline-draft recovery 1\nsaved 0\npath %s\n' "$work/c.tdp" > "$copies/99-dead-0.record"
printf 'not a plan' > "$copies/99-dead-0.tdp"
start_editor
focus '^Error$'
xdotool key Return
[ -f "$copies/99-dead-0.tdp.damaged" ] || fail "the damaged copy was not set aside"
exit_editor "$last"
start_editor
sleep 2
xdotool search --name '^Error$' >/dev/null 2>&1 && fail "the damaged copy was reported twice"
exit_editor "$last"

# A save over a plan another process changed asks; No, the default, leaves the file as the other
# process wrote it and the document modified (its copy stays).
cp "$examples/project.tdp" "$work/d.tdp"
start_editor "$work/d.tdp"
draw_task
printf 'x' >> "$work/d.tdp"
cp "$work/d.tdp" "$work/d-other.tdp"
focus '^Timeline Draft$'
xdotool key ctrl+s
focus 'ファイルの上書き'
xdotool key Return
sleep 0.5
cmp "$work/d-other.tdp" "$work/d.tdp" || fail "the save overwrote another process's change"
wait_for_copies 1
echo "recovery: killed editors recovered, clean exit left no copy, damaged copy set aside, other writer kept"
