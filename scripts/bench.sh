#!/usr/bin/env bash
# Builds the optimised benchmarks and the Windows executable and measures both.
set -eu
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
cmake --preset bench >/dev/null
cmake --build --preset bench
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Morvane_Post_Installation_setup
run=(build/bench/bench/setup_benchmarks --benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
echo "== Default allocator"
"${run[@]}" "$@"
# Large buffers on huge pages: where page faults are dear (virtual machines), the 100 MB
# update spends most of its time faulting in fresh memory, not in the program.
echo "== Large buffers on transparent huge pages"
GLIBC_TUNABLES=glibc.malloc.hugetlb=1 "${run[@]}" --benchmark_filter=sasautos "$@"
bench/executable_size.sh build/win64/platform/win32/Morvane_Post_Installation_setup.exe
