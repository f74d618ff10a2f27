#!/usr/bin/env bash
# Builds everything and runs every test: the portable core natively, the same under
# AddressSanitizer and UndefinedBehaviorSanitizer, the shipped 32-bit Windows build and the
# 64-bit one under Wine, and a bounded fuzzing run of the SASAUTOS update. Prints how long
# each part took.
set -eu
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
timings=()
timed() {
    local name=$1 start=$SECONDS
    shift
    echo "== $name"
    "$@"
    timings+=("$(printf '%-12s %4d s' "$name" $((SECONDS - start)))")
}
preset() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
    ctest --preset "$1"
}
for name in native native-asan win32 win64; do
    timed "$name" preset "$name"
done
timed fuzzing scripts/fuzz.sh "${MORVANE_FUZZ_SECONDS:-60}"
printf '%s\n' "== Time taken" "${timings[@]}" "$(printf '%-12s %4d s' total "$SECONDS")"
