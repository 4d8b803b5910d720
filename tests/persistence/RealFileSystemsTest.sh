#!/usr/bin/env bash
# Saves over a plan on real file systems: a small tmpfs with no free inode (the save then writes
# in place) or no free space, a file size limit, and saves killed at random moments of their
# write. After every failure the old plan must be intact; a killed save through a temporary file
# leaves the old plan or the new one, and one in place never leaves a shorter file than the old.
# Usage: RealFileSystemsTest.sh TDTOOL SAVE_DRIVER. Mounting needs root; skipped otherwise.
set -u
tdtool=$1
driver=$2
[ "$(id -u)" -eq 0 ] || { echo "skipped: mounting file systems needs root"; exit 77; }
work=$(mktemp -d)
mounts=()
cleanup() {
    for point in "${mounts[@]}"; do umount "$point"; done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mount_tmpfs() {
    mkdir "$work/$1"
    mount -t tmpfs -o "$2" tmpfs "$work/$1" || { echo "skipped: cannot mount a tmpfs"; exit 77; }
    mounts+=("$work/$1")
    cp "$work/old.tdp" "$work/$1/plan.tdp"
}

fill_inodes() {
    local i=0
    while { : >"$1/inode$i"; } 2>/dev/null; do i=$((i + 1)); done
}

# The save ended with the tool's message and left the old plan, readable, with no temporary.
expect_kept() {
    local what=$1 plan=$2 status=$3
    [ "$status" -eq 1 ] || fail "$what: exit status $status, not 1"
    grep -q "File Open Error !!" "$work/err" || fail "$what: no message: $(head -c 300 "$work/err")"
    cmp -s "$plan" "$work/old.tdp" || fail "$what: the old plan changed"
    "$tdtool" info "$plan" >/dev/null || fail "$what: the old plan no longer reads"
    ! ls -A "$(dirname "$plan")" | grep -q '^\.tdsave-' || fail "$what: a temporary file is left"
}

# Task lines with 128-byte texts, about 160 bytes each in the file.
"$driver" "$work/old.tdp" 100 o >/dev/null
for plan in mid:250 new:1000 half:5000 big:10000; do
    "$driver" "$work/${plan%:*}.tdp" "${plan#*:}" "${plan:0:1}" >/dev/null
done
"$tdtool" export "$work/mid.tdp" >"$work/mid.json"
"$tdtool" export "$work/new.tdp" >"$work/new.json"

mount_tmpfs inodes size=64k,nr_inodes=8
fill_inodes "$work/inodes"
"$tdtool" import "$work/new.json" "$work/inodes/plan.tdp" 2>"$work/err"
expect_kept "no free inode, a plan larger than the space" "$work/inodes/plan.tdp" $?
(ulimit -f 20; exec "$tdtool" import "$work/mid.json" "$work/inodes/plan.tdp") 2>"$work/err"
expect_kept "no free inode, a plan over the file size limit" "$work/inodes/plan.tdp" $?
"$tdtool" import "$work/mid.json" "$work/inodes/plan.tdp" 2>"$work/err" \
    && cmp -s "$work/inodes/plan.tdp" "$work/mid.tdp" || fail "no free inode: a plan that fits is not saved in place"

mount_tmpfs space size=64k
cat /dev/zero >"$work/space/fill" 2>/dev/null
"$tdtool" import "$work/new.json" "$work/space/plan.tdp" 2>"$work/err"
expect_kept "no free space" "$work/space/plan.tdp" $?

mkdir "$work/limit"
cp "$work/old.tdp" "$work/limit/plan.tdp"
(ulimit -f 20; exec "$tdtool" import "$work/new.json" "$work/limit/plan.tdp") 2>"$work/err"
expect_kept "file size limit" "$work/limit/plan.tdp" $?
# tdtool's pictures and pages are replaced as safely as plans: never a truncated file.
for out in chart.pdf:print chart.png:render; do
    echo old >"$work/limit/${out%:*}"
    (ulimit -f 4; exec "$tdtool" "${out#*:}" "$work/new.tdp" --"${out#*.}" "$work/limit/${out%:*}") \
        2>"$work/err" && fail "${out#*:} over the file size limit reports success"
    [ "$(cat "$work/limit/${out%:*}")" = old ] || fail "${out#*:} over the file size limit changed its file"
done

# Saves the big plan over one half its size 60 times, each killed at a random moment up to a
# little after the time an unkilled save takes, and counts what the file holds afterwards.
kill_loop() {
    local what=$1 plan=$2 intact=0 new=0 torn=0 shorter=0 took pid
    took=$("$driver" "$plan" 10000 b | tail -n 1)
    # A read that times out on a pipe nobody writes waits without starting a process.
    mkfifo "$work/said" "$work/idle"
    exec 4<>"$work/idle"
    for ((round = 0; round < 60; round++)); do
        cp "$work/half.tdp" "$plan"
        "$driver" "$plan" 10000 b >"$work/said" &
        pid=$!
        exec 3<"$work/said"
        read -r _ <&3
        local delay=$((RANDOM * took / 25000))
        read -r -t "$((delay / 1000000)).$(printf %06d $((delay % 1000000)))" -u 4 _
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        exec 3<&-
        if cmp -s "$plan" "$work/half.tdp"; then intact=$((intact + 1))
        elif cmp -s "$plan" "$work/big.tdp"; then new=$((new + 1))
        else torn=$((torn + 1)); fi
        [ "$(stat -c %s "$plan")" -ge "$(stat -c %s "$work/half.tdp")" ] || shorter=$((shorter + 1))
    done
    exec 4<&-
    rm "$work/said" "$work/idle"
    echo "$what: 60 saves killed within $((took * 131 / 100)) us: $intact intact, $new new, $torn torn, $shorter shorter"
    [ "$shorter" -eq 0 ] || fail "$what: a killed save left a file shorter than the old plan"
    [ "$3" = torn-allowed ] || [ "$torn" -eq 0 ] || fail "$what: a killed save left a mix of old and new"
}

mount_tmpfs killed size=32m
kill_loop "through a temporary file" "$work/killed/plan.tdp" torn-refused
"$driver" "$work/killed/plan.tdp" 10000 b >/dev/null
! ls -A "$work/killed" | grep -q '^\.tdsave-' || fail "the next save left the temporaries of killed saves"

mount_tmpfs killedInPlace size=32m,nr_inodes=8
fill_inodes "$work/killedInPlace"
kill_loop "in place" "$work/killedInPlace/plan.tdp" torn-allowed

[ "$failures" -eq 0 ] || { echo "$failures failures"; exit 1; }
echo "all kept"
