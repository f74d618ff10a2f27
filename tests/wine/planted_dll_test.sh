#!/usr/bin/env bash
# A uxtheme.dll planted beside the real program, which Wine is told to prefer to its own
# (as Windows prefers a DLL that is not a known one from the program's folder), is never
# loaded, unattended or with the window, and the installation still completes.
# Usage: planted_dll_test.sh SETUP_EXE PLANTED_DLL
set -u
exe=$(realpath "$1")
planted=$(realpath "$2")
source "$(dirname "$0")/../../scripts/wine/wine_session.sh"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;uxtheme=n,b"

new_planted_machine() {
    new_sas91_machine "$exe"
    must "plant uxtheme.dll beside the program" cp "$planted" "$product_dir/uxtheme.dll"
}
check_installed() {
    check "$1: the planted DLL never ran" test ! -e "$drive_c/planted-dll-loaded"
    check "$1: seventeen files in saspgm" test "$(ls "$product_dir/saspgm" | wc -l)" = 17
}

echo "== Unattended"
new_planted_machine
(unset DISPLAY && run_setup /silent /sas=9.1)
check "unattended: exit code 0" test $? = 0
check_installed unattended
end_scenario

echo "== With the window"
start_display || exit 1
new_planted_machine
(cd "$product_dir" && wine ./Morvane_Post_Installation_setup.exe >/dev/null 2>&1
    echo $? >"$WINEPREFIX/exit-code") &
window=$(wait_window "Morvane Post Installation setup")
must "the setup window appears" test -n "$window"
press "$window" Return stays
notice=$(wait_window Notice)
must "the Notice box appears" test -n "$notice"
press "$notice" Return
wait_until 30 test -f "$WINEPREFIX/exit-code"
check "window: exit code 0" test "$(cat "$WINEPREFIX/exit-code" 2>/dev/null)" = 0
check_installed window
end_scenario

finish_checks planted_dll
