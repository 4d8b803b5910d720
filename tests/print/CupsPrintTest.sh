#!/usr/bin/env bash
# Prints through a real print system: starts a cupsd of its own (its own socket, spool and
# queues, so the machine's printers stay as they are), adds a cups-pdf queue whose PDFs land
# in a scratch directory, and runs the checks of CupsPrintCheck against it.
# Usage: CupsPrintTest.sh CHECK_PROGRAM TDTOOL
set -u
check=$(realpath "$1")
export TD_TDTOOL=$(realpath "$2")
skipped=77

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: cupsd and its cups-pdf backend run only as root"
    exit $skipped
fi
for tool in cupsd lpadmin lpstat pdftoppm pdftotext pdfinfo; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done
model=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -x /usr/lib/cups/backend/cups-pdf ] && [ -f "$model" ] ||
    { echo "FAIL: printer-driver-cups-pdf is missing (scripts/install-deps.sh)" >&2; exit 1; }

scratch=$(mktemp -d)
chmod 755 "$scratch"  # the filters run as lp and read the spool inside
queue="tdprint$$"
# cups-pdf reads only /etc/cups: a file named after the queue's device URI sends its PDFs here.
backend_conf="/etc/cups/cups-pdf-$queue.conf"
export CUPS_SERVER="$scratch/cups.sock"
cupsd_pid=
finish() {
    lpadmin -x "$queue" 2>/dev/null
    [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
    rm -f "$backend_conf"
    rm -rf "$scratch"
}
trap finish EXIT

mkdir -p "$scratch/spool/tmp" "$scratch/cache" "$scratch/state" "$scratch/log" "$scratch/out" \
         "$scratch/work"
# Only root reaches the socket, so the queue is added without authentication.
cat >"$scratch/cupsd.conf" <<CONF
Listen $scratch/cups.sock
Browsing Off
LogLevel warn
DefaultAuthType None
CONF
cat >"$scratch/cups-files.conf" <<CONF
ServerRoot $scratch
RequestRoot $scratch/spool
TempDir $scratch/spool/tmp
CacheDir $scratch/cache
StateDir $scratch/state
ErrorLog $scratch/log/error_log
AccessLog $scratch/log/access_log
PageLog $scratch/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
CONF
printf 'Out %s\nAnonDirName %s\n' "$scratch/out" "$scratch/out" >"$backend_conf"

cupsd -f -c "$scratch/cupsd.conf" -s "$scratch/cups-files.conf" &
cupsd_pid=$!
for _ in $(seq 50); do
    lpstat -r >/dev/null 2>&1 && break
    sleep 0.2
done
if ! lpstat -r >/dev/null 2>&1; then
    echo "FAIL: cupsd did not start" >&2
    cat "$scratch/log/error_log" >&2 2>/dev/null
    exit 1
fi
# cups-pdf turns the job into PostScript and back; pdftocairo keeps the text as text (Debian's
# cups-pdf notes advise it).
lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P "$model" -o pdftops-renderer-default=pdftocairo ||
    { echo "FAIL: the cups-pdf queue could not be added" >&2; exit 1; }

export TD_CUPS_QUEUE="$queue" TD_CUPS_OUT="$scratch/out"
cd "$scratch/work" && "$check"
status=$?
if [ $status -ne 0 ]; then
    kept=$(mktemp -d)
    cp "$scratch"/work/* "$scratch"/out/* "$scratch"/log/* "$kept" 2>/dev/null
    echo "the pages and cupsd's logs are kept in $kept" >&2
fi
exit $status
