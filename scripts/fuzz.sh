#!/usr/bin/env bash
# Fuzzes the SASAUTOS update, its undo and its diff with libFuzzer: SECONDS seconds (default 60) from the seed
# corpus in fuzz/corpus. New inputs go to build/fuzz/corpus, never into the seeds.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
mkdir -p build/fuzz/corpus
clang++ -std=c++20 -O1 -g -I. -Wall -Wextra -Werror -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=all fuzz/sasautos_fuzzer.cpp integration/sasautos_update.cpp \
    integration/sasautos_syntax.cpp integration/sasautos_undo.cpp integration/unified_diff.cpp \
    -o build/fuzz/sasautos_fuzzer
# Every seed first, then new inputs for the rest of the time; a broken property aborts.
build/fuzz/sasautos_fuzzer -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix=build/fuzz/ \
    build/fuzz/corpus fuzz/corpus 2>&1 | tail -15
echo "fuzzing: no property broken in $seconds seconds"
