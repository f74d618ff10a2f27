#!/usr/bin/env bash
# Builds the optimised benchmarks and the Windows executables and measures them: the
# shipped 32-bit one and the x86-64 one.
set -eu
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
cmake --preset bench >/dev/null
cmake --build --preset bench
for preset in win32 win64; do
    cmake --preset $preset >/dev/null
    cmake --build --preset $preset --target Morvane_Post_Installation_setup
done
# Interleaved, so that a change in the machine's load falls on every benchmark alike.
run=(build/bench/bench/setup_benchmarks --benchmark_repetitions=15
     --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true)
echo "== Default allocator"
"${run[@]}" "$@"
# Large buffers on huge pages: where page faults are dear (virtual machines), the 100 MB
# update spends most of its time faulting in fresh memory, not in the program.
echo "== Large buffers on transparent huge pages"
GLIBC_TUNABLES=glibc.malloc.hugetlb=1 "${run[@]}" --benchmark_filter=sasautos "$@"
for preset in win32 win64; do
    echo "== Executable size and imports ($preset)"
    tests/executable_imports_test.sh build/$preset/program/Morvane_Post_Installation_setup.exe
done
