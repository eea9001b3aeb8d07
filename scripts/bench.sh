#!/usr/bin/env bash
# Builds Brindle in release mode and runs every benchmark.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/deps.sh"
brindle_install_deps

export QT_QPA_PLATFORM=offscreen
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRINDLE_BENCH=ON >/dev/null
cmake --build "$root/build/release" -j "$(nproc)"
bench="$root/build/release/bench"
"$bench/startup/bench_startup"
if command -v valgrind >/dev/null; then "$bench/startup/bench_startup" --instructions; fi
"$bench/generate/bench_generate"
"$bench/library/bench_storedcode"
"$bench/library/bench_filter"
"$bench/tabchange/bench_tabchange"
