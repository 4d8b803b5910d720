#!/usr/bin/env bash
# Installs what is missing, builds the README's Release configuration of every target (so its
# install path compiles at -O3 with warnings as errors), builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs every test through CTest, then each fuzz harness for a bounded
# time (TD_FUZZ_SECONDS, 30 by default). Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
# ccache keeps rebuilds of a clone short; paths below the clone are hashed relative to it.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR=$PWD
release=${TD_RELEASE_BUILD:-build-release}
cmake -S . -B "$release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTD_BENCH=OFF "${launcher[@]}"
cmake --build "$release" --parallel "$(nproc)"
build=${TD_TEST_BUILD:-build-test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTD_SANITIZE=ON "${launcher[@]}"
cmake --build "$build" --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 300
./scripts/fuzz.sh -max_total_time="${TD_FUZZ_SECONDS:-30}"
