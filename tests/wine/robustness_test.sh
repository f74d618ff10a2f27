#!/usr/bin/env bash
# Real-world variations under Wine, in unattended runs of the real program: SAS roots and
# log paths written unusually, a hidden SAS configuration, a rewrite that fails part-way
# and a refused shortcut, each of which must leave the earlier files as they were.
# Works for a 64-bit or a 32-bit build. Usage: robustness_test.sh SETUP_EXE
set -u
exe=$(realpath "$1")
source "$(dirname "$0")/../../scripts/wine/wine_session.sh"
unset DISPLAY
entry_in_place() { grep -qF '"C:\Program Files\Morvane Kit\saspgm"' "$config"; }
no_temporaries() { ! ls -A "$@" | grep -q morvane-; }
set_root() {
    must "register SAS 9.1 at $1" wine reg add 'HKLM\SOFTWARE\SAS Institute Inc.\The SAS System\9.1' \
        /v DefaultRoot /t REG_SZ /d "$1" /f /reg:32
    wineserver -w
}

for root in 'C:\SAS\V91\' 'C:/SAS/V91'; do
    echo "== SAS 9.1 registered at $root, a log path with .."
    new_sas91_machine "$exe"
    set_root "$root"
    must "make C:\\Temp" mkdir -p "$drive_c/Temp"
    run_setup /silent /sas=9.1 '/log=C:\Temp\..\Temp\x.log'
    check "$root: exit code 0" test "$status" = 0 -a ! -s "$err"
    check "$root: the SASAUTOS entry is in place" entry_in_place
    check "$root: the log was written" grep -q "Installation completed." "$drive_c/Temp/x.log"
    end_scenario
done

echo "== A hidden SASV9.CFG"
new_sas91_machine "$exe"
must "hide SASV9.CFG" wine cmd /c attrib +h 'C:\SAS\V91\nls\en\SASV9.CFG'
run_setup /silent /sas=9.1
check "exit code 0" test "$status" = 0
check "still hidden" test "$(wine cmd /c attrib 'C:\SAS\V91\nls\en\SASV9.CFG' | cut -c1-5 | tr -d ' ')" = AH
check "complete: every earlier line and the entry" \
    test "$(grep -cF -e '-SET SASAUTOS (' -e sasmacro -e ')' -e 'Morvane Kit\saspgm' "$config")" = 5
check "no temporary file beside it" no_temporaries "$(dirname "$config")"
end_scenario

echo "== A rewrite that fills the disk part-way keeps the earlier file"
if ! skipped disk-full-rewrite; then
    new_sas91_machine "$exe"
    must "the first installation" run_setup /silent /sas=9.1
    saspgm=$product_dir/saspgm
    printf '/* from an earlier installation */\r\n' >"$saspgm/difftest.sas" || setup_failed "an earlier difftest.sas"
    before=$(md5sum <"$saspgm/difftest.sas")
    # The files as they are on a disk with room for the small ones' new copies only.
    copies=$(mktemp -d)
    must "keep a copy of the macro files" cp -a "$saspgm/." "$copies/"
    if must "mount a small disk on the macro folder" mount -t tmpfs -o size=1m tmpfs "$saspgm"; then
        must "copy the macro files onto it" cp -a "$copies/." "$saspgm/"
        used=$(df --output=used -k "$saspgm" | tail -1)
        must "shrink it to leave 32 KiB free" mount -o remount,size=$((used + 32))k "$saspgm"
        run_setup /silent /sas=9.1
        check "exit code 1" test "$status" = 1
        check "the disk is full at difftest.sas" grep -q "^Error creating difftest.sas \.\.\. .\+" "$err"
        check "difftest.sas keeps its old bytes" test "$(md5sum <"$saspgm/difftest.sas")" = "$before"
        check "no temporary file left" no_temporaries "$saspgm"
        must "unmount the small disk" umount "$saspgm"
    fi
    rm -rf "$copies"
    end_scenario
fi

echo "== A refused shortcut leaves the old one"
new_sas91_machine "$exe"
must "the first installation" run_setup /silent /sas=9.1
desktop=${user_dir}Desktop
before=$(md5sum <"$desktop/Morvane.lnk")
names=$(ls -A "$desktop")
# A SAS root too deep for a shortcut's target; Wine would not start a program that deep.
deep=$(printf 'r%.0s' $(seq 130))
mkdir -p "$drive_c/SAS/$deep/$deep"
must "copy sas.exe into the deep root" cp "$drive_c/SAS/V91/sas.exe" "$drive_c/SAS/$deep/$deep/"
set_root "C:\\SAS\\$deep\\$deep"
run_setup /silent /sas=9.1
check "exit code 1" test "$status" = 1
check "says the path is too long" grep -aq "is too long for a shortcut" "$err"
check "the old shortcut is untouched" test "$(md5sum <"$desktop/Morvane.lnk")" = "$before"
check "no temporary shortcut left" test "$(ls -A "$desktop")" = "$names"
end_scenario

finish_checks "robustness"
