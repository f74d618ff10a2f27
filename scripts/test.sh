#!/usr/bin/env bash
# Builds everything and runs every test: the portable core natively, the same under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the Windows build under Wine.
set -eu
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
for preset in native native-asan win64; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
