#!/usr/bin/env bash
# Builds the fuzz harnesses with clang (ASan, UBSan) and runs each in turn on seeds from the
# example plans and fuzz/seeds. libFuzzer options given here apply to every harness; the default is 30 seconds
# each. Exits non-zero, with the harness's log, on the first fault.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${TD_FUZZ_BUILD:-build-fuzz}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CXX=clang++ cmake -S fuzz -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${launcher[@]}" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
options=("$@")
[ ${#options[@]} -eq 0 ] && options=(-max_total_time=30)

fuzz() {
    local harness=$1
    shift
    local corpus="$build/corpus/$harness" seeds="$build/seeds/$harness" log="$build/$harness.log"
    mkdir -p "$corpus" "$seeds"
    cp "$@" "$seeds/"
    if ! "$build/$harness" -max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="$build/$harness-" "${options[@]}" "$corpus" "$seeds" >"$log" 2>&1; then
        grep -v '^"' "$log" | tail -40
        echo "$harness: fault found, input kept as $build/$harness-*" >&2
        return 1
    fi
    echo "$harness: $(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}') inputs, no fault"
}

fuzz document_reader_fuzzer examples/*.tdp examples/*.tds
fuzz holiday_file_fuzzer fuzz/seeds/holiday/*
fuzz icalendar_import_fuzzer fuzz/seeds/icalendar/*
fuzz json_import_fuzzer examples/*.json fuzz/seeds/json/*
fuzz editing_fuzzer fuzz/seeds/editing/*
