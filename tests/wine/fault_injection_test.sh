#!/usr/bin/env bash
# Faults on real files under Wine, in unattended runs. For each: exit code 1, one error
# line naming the step with the system's description, nothing written after the failure,
# the SAS configuration unchanged, and a second run that succeeds once the fault is gone.
# Usage: fault_injection_test.sh SETUP_EXE HOLD_FILE_EXE
set -u
exe=$(realpath "$1")
holder_exe=$(realpath "$2")
source "$(dirname "$0")/../../scripts/wine/wine_session.sh"
unset DISPLAY
# Opens a file with no sharing from another Windows process; sets holder and held.
hold() {
    held=$1
    wine "$holder_exe" "$(windows_path "$held")" &
    holder=$!
    wait_until 10 test -e "$held.held"
}
# Whether no process (the wineserver for a Windows one) has the held file open.
released() { ! find /proc/[0-9]*/fd -lname "$(realpath "$held")" 2>/dev/null | grep -q .; }
windows_path() { echo "C:${1#"$drive_c"}" | tr / '\\'; }

# scenario NAME EXPECTED_STATUS ABSENT_FILE SETUP_FAULT REMOVE_FAULT, where ABSENT_FILE
# is a file of the product folder that a step after the failing one writes.
scenario() {
    local name=$1 expected=$2 absent=$3 inject=$4 remove=$5
    echo "== $name"
    new_sas91_machine "$exe"
    must "$name: make the macro folder" mkdir -p "$product_dir/saspgm"
    local before
    before=$(md5sum <"$config")
    must "$name: make the fault" $inject || { end_scenario; return; }
    run_setup /silent /sas=9.1
    must "$name: remove the fault" $remove
    echo "   it said: $(tr -d '\r' <"$err")"
    check "$name: exit code 1" test "$status" = 1
    check "$name: one error line" test "$(wc -l <"$err")" = 1
    check "$name: it names the step and gives the description" \
        grep -qE "^${expected//./\\.} [A-Z].+" "$err"
    check "$name: nothing written after the failure" test ! -e "$product_dir/$absent"
    check "$name: morvane.cfg not written" test ! -e "$product_dir/morvane.cfg"
    check "$name: SAS configuration unchanged" test "$(md5sum <"$config")" = "$before"
    check "$name: no temporary file beside it" test "$(ls "$(dirname "$config")")" = SASV9.CFG
    run_setup /silent /sas=9.1
    check "$name: a rerun succeeds" test "$status" = 0 -a ! -s "$err"
    check "$name: the rerun updated SASAUTOS" grep -qF '"C:\Program Files\Morvane Kit\saspgm"' "$config"
    end_scenario
}

# The product folder refuses the macro folder.
lock_product() { rmdir "$product_dir/saspgm" && chattr +i "$product_dir"; }
unlock_product() { chattr -i "$product_dir"; }
scenario "macro folder cannot be made" "Error creating autoexec.sas ..." \
    'saspgm/autoexec.sas' lock_product unlock_product

read_only_difftest() { printf old >"$product_dir/saspgm/difftest.sas" && chattr +i "$product_dir/saspgm/difftest.sas"; }
writable_difftest() { chattr -i "$product_dir/saspgm/difftest.sas"; }
scenario "read-only generated file" "Error creating difftest.sas ..." \
    'saspgm/findings.sas' read_only_difftest writable_difftest

hold_metadata() { hold "$product_dir/saspgm/metadata.sas"; }
release() { kill "$holder" 2>/dev/null; wait "$holder" 2>/dev/null; wait_until 10 released; }
scenario "generated file held open by another program" "Error creating metadata.sas ..." \
    'saspgm/ordervar.sas' hold_metadata release

hold_config() { hold "$config" && rm "$config.held"; }
scenario "SAS configuration held open by another program" "Error configing SAS System ..." \
    'morvane.cfg' hold_config release

read_only_config() { chattr +i "$config"; }
writable_config() { chattr -i "$config"; }
scenario "read-only SAS configuration" "Error configing SAS System ..." \
    'morvane.cfg' read_only_config writable_config

small_disk() { mount -t tmpfs -o size=48k tmpfs "$product_dir/saspgm"; }
no_small_disk() { umount "$product_dir/saspgm"; }
skipped disk-full-part-way || scenario "disk full part-way" "Error creating difftest.sas ..." \
    'saspgm/findings.sas' small_disk no_small_disk

locked_desktop() { chattr +i "${user_dir}Desktop"; }
open_desktop() { chattr -i "${user_dir}Desktop"; }
scenario "shortcut folder cannot be written" "Error creating desktop shortcut ..." \
    'morvane.cfg' locked_desktop open_desktop

finish_checks "fault injection"
