#!/usr/bin/env bash
# The unattended mode of the real program under Wine, as a deployment script uses it.
# Usage: unattended_test.sh SETUP_EXE
set -u
exe=$(realpath "$1")
source "$(dirname "$0")/../../scripts/wine/wine_session.sh"
unset DISPLAY
nothing_written() { [ ! -e "$product_dir/saspgm" ] && [ ! -e "$product_dir/morvane.cfg" ]; }

echo "== /silent /sas=9.1 installs completely"
new_sas91_machine "$exe"
run_setup /silent /sas=9.1 '/log=C:\setup.log'
check "exit code 0" test "$status" = 0
check "every status on standard output" test "$(head -1 "$out" | tr -d '\r')" = "Creating autoexec.sas ..."
check "ends with the completion lines" test "$(tail -2 "$out" | tr -d '\r' | tr '\n' '|')" = "Installation completed.|Completed creating shortcut and macro files!|"
check "nothing on standard error" empty "$err"
check "seventeen files in saspgm" test "$(ls "$product_dir/saspgm" | wc -l)" = 17
check "morvane.cfg written" test -s "$product_dir/morvane.cfg"
check "SASAUTOS updated" grep -qF '"C:\Program Files\Morvane Kit\saspgm"' "$drive_c/SAS/V91/nls/en/SASV9.CFG"
check "both shortcuts" test -f "${user_dir}Desktop/Morvane.lnk" -a -f "${user_dir}AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Talmora/MORVANE/Morvane.lnk"
check "the log holds the same lines" test "$(sed 's/^[0-9-]* [0-9:]* //' "$drive_c/setup.log" | tr -d '\r')" = "$(tr -d '\r' <"$out")"
end_scenario

echo "== A read-only SASV9.CFG exits 1 and stays untouched"
new_sas91_machine "$exe"
before=$(md5sum <"$config")
must "make SASV9.CFG read-only" chattr +i "$config"
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
must "copy the setup program into $product_dir" cp "$exe" "$product_dir/"
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
must "copy the setup program into $product_dir" cp "$exe" "$product_dir/"
run_setup /silent
check "exit code 1" test "$status" = 1
check "says the path is too long for a shortcut" grep -aq "^Error creating desktop shortcut \.\.\. The path .* is too long for a shortcut" "$err"
check "morvane.cfg not written" test ! -e "$product_dir/morvane.cfg"
end_scenario

# Checks that both shortcuts start sas_exe with the root configuration sas_config.
check_shortcuts_start() {
    local sas_exe=$1 sas_config=$2 link info
    for link in "${user_dir}Desktop/Morvane.lnk" "${user_dir}AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Talmora/MORVANE/Morvane.lnk"; do
        info=$(lnkinfo "$link" 2>&1)
        check "$(basename "$(dirname "$link")") shortcut: target" grep -qF "Local path			: $sas_exe" <<<"$info"
        check "$(basename "$(dirname "$link")") shortcut: arguments" grep -qF "Command line arguments$(printf '\t\t'):  -CONFIG \"$sas_config\" -CONFIG \"C:\\Program Files\\Morvane Kit\\morvane.cfg\"" <<<"$info"
    done
}

echo "== SAS 9.4 in SASHome, 64-bit registry view: /silent installs for it"
new_prefix
seed_sas94
install_product "$exe"
run_setup /silent
check "exit code 0" test "$status" = 0
check "nothing on standard error" empty "$err"
check "the language file named by the root SASV9.CFG gets the entry" grep -qF '                "C:\Program Files\Morvane Kit\saspgm"' "$sas_root/nls/en/SASV9.CFG"
check "the root SASV9.CFG is left alone" test "$(grep -c . "$sas_root/SASV9.CFG")" = 2
check_shortcuts_start 'C:\Program Files\SASHome\SASFoundation\9.4\sas.exe' 'C:\Program Files\SASHome\SASFoundation\9.4\SASV9.CFG'
end_scenario

echo "== SAS 9.3 only and /sas=9.4 exits 3 and writes nothing"
new_prefix
seed_sashome 9.3 32
install_product "$exe"
before=$(md5sum <"$sas_root/nls/en/SASV9.CFG")
run_setup /silent /sas=9.4
check "exit code 3" test "$status" = 3
check "says which release is missing" grep -q "SAS System version 9.4 is not installed." "$err"
check "nothing written" nothing_written
check "no shortcut" test ! -e "${user_dir}Desktop/Morvane.lnk"
check "the 9.3 configuration untouched" test "$(md5sum <"$sas_root/nls/en/SASV9.CFG")" = "$before"
end_scenario

echo "== SAS 9.1 in German, without nls\\en: the entry goes into nls\\de"
new_sas91_machine "$exe"
must "move nls\\en to nls\\de" mv "$drive_c/SAS/V91/nls/en" "$drive_c/SAS/V91/nls/de"
printf -- '-SET SASROOT "C:\\SAS\\V91"\r\n-CONFIG "!SASROOT\\nls\\de\\SASV9.CFG"\r\n' >"$drive_c/SAS/V91/SASV9.CFG" || setup_failed "name nls\\de in SASV9.CFG"
run_setup /silent /sas=9.1
check "exit code 0" test "$status" = 0
check "the nls\\de file gets the entry" grep -qF '"C:\Program Files\Morvane Kit\saspgm"' "$drive_c/SAS/V91/nls/de/SASV9.CFG"
check "no nls\\en file appears" test ! -e "$drive_c/SAS/V91/nls/en"
check_shortcuts_start 'C:\SAS\V91\sas.exe' 'C:\SAS\V91\SASV9.CFG'
end_scenario

echo "== A product folder everyone may write to is noted, and nothing fails"
new_sas91_machine "$exe"
must "open the product folder to everyone (Wine reads the mode bits)" chmod 0777 "$product_dir"
note='Note: users other than administrators (Everyone) can change files in C:\Program Files\Morvane Kit; every SAS session that reads C:\SAS\V91\nls\en\SASV9.CFG would run their macros.'
for switches in "/whatif" "/silent" "/verify /silent"; do
    run_setup $switches /sas=9.1
    check "$switches exits 0" test "$status" = 0
    check "$switches notes the folder" grep -qxF "$note" "$out"
done
check "nothing on standard error" test ! -s "$err"
end_scenario

finish_checks "unattended"
