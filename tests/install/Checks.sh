# Sourced by the install tests: a scratch folder removed at exit, and failures that are counted
# rather than fatal, so that one run reports every fault.
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# Ends the test: status 1 after any failure, else the summary given.
finish() { [ "$failures" -eq 0 ] || exit 1; echo "$1"; }
