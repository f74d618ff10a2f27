#!/usr/bin/env bash
# Builds everything and runs every test: the portable core natively, the same under
# AddressSanitizer and UndefinedBehaviorSanitizer, the Windows build under Wine, and a
# bounded fuzzing run of the SASAUTOS update.
set -eu
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
for preset in native native-asan win64; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
echo "== fuzzing"
scripts/fuzz.sh "${MORVANE_FUZZ_SECONDS:-60}"
