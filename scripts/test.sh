#!/usr/bin/env bash
# Builds everything and runs every test: the portable core natively, the same under
# AddressSanitizer and UndefinedBehaviorSanitizer, the shipped 32-bit Windows build and the
# 64-bit one under Wine, the optimised benchmarks (built only), and a bounded fuzzing run of
# the SASAUTOS update. Prints how long each part took.
set -eu
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
# The Wine scripts add each scenario that MORVANE_SKIP_SCENARIOS leaves out to this file;
# they are listed at the end, whether the tests pass or not.
MORVANE_SKIPPED_FILE=$(mktemp)
export MORVANE_SKIPPED_FILE
trap 'echo "skipped scenarios: $(sort -u "$MORVANE_SKIPPED_FILE" | paste -sd " " | grep . || echo none)"; rm -f "$MORVANE_SKIPPED_FILE"' EXIT
timings=()
timed() {
    local name=$1 start=$SECONDS
    shift
    echo "== $name"
    "$@"
    timings+=("$(printf '%-12s %4d s' "$name" $((SECONDS - start)))")
}
built() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}
tested() {
    built "$1"
    ctest --preset "$1"
}
for name in native native-asan win32 win64; do
    timed "$name" tested "$name"
done
# Built, not run: timing belongs to scripts/bench.sh, but a change that breaks the
# optimised build should fail here.
timed bench built bench
timed fuzzing scripts/fuzz.sh "${MORVANE_FUZZ_SECONDS:-60}"
printf '%s\n' "== Time taken" "${timings[@]}" "$(printf '%-12s %4d s' total "$SECONDS")"
