#!/usr/bin/env bash
# Runs a cross-built Windows program, 32- or 64-bit, under Wine in the build's own prefix
# (one 64-bit prefix with Wine's 32-bit support serves both widths). Output goes
# through files, so that Wine's long-lived helper processes never hold the caller's pipes.
set -u
here=$(cd "$(dirname "$0")" && pwd)
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEPREFIX=${MORVANE_WINEPREFIX:-${TMPDIR:-/tmp}/morvane-wine-tests-$(id -u)}
"$here/../../scripts/wine/prepare-prefix.sh" "$WINEPREFIX" >/dev/null 2>&1 </dev/null || {
    echo "cannot prepare the Wine prefix $WINEPREFIX" >&2
    exit 1
}
out=$(mktemp) err=$(mktemp)
"$here/../../scripts/wine/bin/wine" "$@" >"$out" 2>"$err" </dev/null
status=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit $status
