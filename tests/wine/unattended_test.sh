#!/usr/bin/env bash
# The unattended mode of the real program under Wine, as a deployment script uses it.
# Usage: unattended_test.sh SETUP_EXE
set -u
exe=$(realpath "$1")
source "$(dirname "$0")/../../scripts/wine/wine_session.sh"
unset DISPLAY
# Runs the setup in the product folder; sets status, and out/err to its output files.
run_setup() {
    out=$WINEPREFIX/out.txt err=$WINEPREFIX/err.txt
    (cd "$product_dir" && wine ./Morvane_Post_Installation_setup.exe "$@" >"$out" 2>"$err")
    status=$?
}
nothing_written() { [ ! -e "$product_dir/saspgm" ] && [ ! -e "$product_dir/morvane.cfg" ]; }

echo "== /silent /sas=9.1 installs completely"
new_sas91_machine "$exe"
run_setup /silent /sas=9.1 '/log=C:\setup.log'
check "exit code 0" test "$status" = 0
check "every status on standard output" test "$(head -1 "$out" | tr -d '\r')" = "Creating autoexec.sas ..."
check "ends with the completion lines" test "$(tail -2 "$out" | tr -d '\r' | tr '\n' '|')" = "Installation completed.|Completed creating shortcut and macro files!|"
check "nothing on standard error" test ! -s "$err"
check "seventeen files in saspgm" test "$(ls "$product_dir/saspgm" | wc -l)" = 17
check "morvane.cfg written" test -s "$product_dir/morvane.cfg"
check "SASAUTOS updated" grep -qF '"C:\Program Files\Morvane Kit\saspgm"' "$drive_c/SAS/V91/nls/en/SASV9.CFG"
check "both shortcuts" test -f "${user_dir}Desktop/Morvane.lnk" -a -f "${user_dir}AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Talmora/MORVANE/Morvane.lnk"
check "the log holds the same lines" test "$(sed 's/^[0-9-]* [0-9:]* //' "$drive_c/setup.log" | tr -d '\r')" = "$(tr -d '\r' <"$out")"
end_scenario

echo "== A read-only SASV9.CFG exits 1 and stays untouched"
new_sas91_machine "$exe"
before=$(md5sum <"$config")
chattr +i "$config"
run_setup /silent /sas=9.1 '/log=C:\setup.log'
chattr -i "$config"
check "exit code 1" test "$status" = 1
check "error text and description on standard error" grep -q "^Error configing SAS System \.\.\. Access denied\." "$err"
check "the log records it too" grep -q "Error configing SAS System \.\.\. Access denied\." "$drive_c/setup.log"
check "SASV9.CFG untouched" test "$(md5sum <"$config")" = "$before"
check "no temporary file left" test "$(ls "$(dirname "$config")")" = SASV9.CFG
end_scenario

echo "== /sas=7 exits 2 and writes nothing"
new_sas91_machine "$exe"
run_setup /sas=7 /silent
check "exit code 2" test "$status" = 2
check "says what is wrong" grep -q 'Unknown SAS version "7"' "$err"
check "nothing written" nothing_written
end_scenario

echo "== /silent without SAS exits 3 and writes nothing"
new_prefix
install_product "$exe"
run_setup /silent
check "exit code 3" test "$status" = 3
check "says why" grep -q "No SAS System version is installed." "$err"
check "nothing written" nothing_written
end_scenario

echo "== A program folder with a quote, parentheses, & and %, non-ASCII letters, deep"
new_sas91_machine "$exe"
product_dir="$drive_c/Users/O'Brien (R&D) 100%/Données/$(printf 'x%.0s' $(seq 150))"
mkdir -p "$product_dir"
cp "$exe" "$product_dir/"
run_setup /silent
check "exit code 0" test "$status" = 0
check "seventeen files in saspgm" test "$(ls "$product_dir/saspgm" | wc -l)" = 17
check "the quote is doubled in the SAS literals" grep -qF "'C:\Users\O''Brien (R&D) 100%\Donn" "$product_dir/saspgm/autoexec.sas"
check "the folder stands as it is in SASAUTOS" grep -qF '"C:\Users\O'"'"'Brien (R&D) 100%\Donn' "$config"
end_scenario

echo "== A program folder too deep for a shortcut fails clearly"
new_sas91_machine "$exe"
product_dir="$drive_c/$(printf 'y%.0s' $(seq 240))"
mkdir -p "$product_dir"
cp "$exe" "$product_dir/"
run_setup /silent
check "exit code 1" test "$status" = 1
check "says the path is too long for a shortcut" grep -aq "^Error creating desktop shortcut \.\.\. The path .* is too long for a shortcut" "$err"
check "morvane.cfg not written" test ! -e "$product_dir/morvane.cfg"
end_scenario

finish_checks "unattended"
