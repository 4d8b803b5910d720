# Sourced by the tests that drive real editors: a work folder removed at exit with every process
# started, and a virtual X display of the given size for them (skip code 77 without Xvfb or
# xdotool). No reset when the last client leaves: an editor started then would find no server.
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "Xvfb or xdotool missing"; exit 77; }

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

start_display() {
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$work/display")"
    export XDG_STATE_HOME="$work/state"
    unset QT_QPA_PLATFORM
}
