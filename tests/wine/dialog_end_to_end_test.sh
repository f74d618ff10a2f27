#!/usr/bin/env bash
# Runs the real setup program under Wine and Xvfb as a user would: the window appears,
# Enter installs, the notice closes the program. Then checks everything it wrote. A second
# scenario makes the SAS configuration read-only and checks the error path.
# Usage: dialog_end_to_end_test.sh SETUP_EXE ARTEFACT_DIR
set -u
exe=$(realpath "$1")
artefacts=$(realpath -m "$2")
mkdir -p "$artefacts"
source "$(dirname "$0")/../../scripts/wine/wine_session.sh"

# Starts the setup program in the product folder, in the background.
start_setup() {
    (cd "$product_dir" && wine ./Morvane_Post_Installation_setup.exe >/dev/null 2>&1
        echo $? >"$WINEPREFIX/exit-code") &
}
# Waits up to 30 s for the program to end and gives its exit code.
setup_exit_code() {
    wait_until 30 test -f "$WINEPREFIX/exit-code"
    cat "$WINEPREFIX/exit-code" 2>/dev/null
}
# exits_with CODE: the program ended with CODE; otherwise says how it ended.
exits_with() {
    local code
    code=$(setup_exit_code)
    [ "$code" = "$1" ] || { echo "  exit code: ${code:-none, still running}"; return 1; }
}
# Whether the window is drawn: its captions' smoothed letters give it many colours.
drawn() { [ "$(import -window "$1" -format %k info: 2>/dev/null)" -gt 8 ] 2>/dev/null; }

# The window's height in pixels.
window_height() {
    xdotool getwindowgeometry --shell "$1" | sed -n 's/^HEIGHT=//p'
}

start_display || exit 1

echo "== Installing for SAS 9.1 with Enter"
new_sas91_machine "$exe"
original_config=$(cat "$drive_c/SAS/V91/nls/en/SASV9.CFG")
start_setup
window=$(wait_window "Morvane Post Installation setup")
check "the setup window appears" test -n "$window"
check "the setup window is drawn" wait_until 10 drawn "$window"
three_option_height=$(window_height "$window")
import -window root "$artefacts/setup-window.png"
press "$window" Return stays
notice=$(wait_window Notice)
check "the Notice box appears" test -n "$notice"
import -window root "$artefacts/notice.png"
press "$notice" Return
check "the program ends with exit code 0" exits_with 0

saspgm="$product_dir/saspgm"
check "seventeen files in saspgm" test "$(ls "$saspgm" | wc -l)" = 17
check "difftest.sas has its size" test "$(stat -c %s "$saspgm/difftest.sas")" = $((62116 + ${#product_dir} - ${#drive_c} + 2))
check "autoexec.sas names the product folder" grep -q "^libname pgmlib    'C:\\\\Program Files\\\\Morvane Kit\\\\saspgm';" "$saspgm/autoexec.sas"
expected_cfg=$(printf "%s\r\n" "-awstitle 'KVR - Morvane'" "-autoexec 'C:\\Program Files\\Morvane Kit\\saspgm\\autoexec.sas'" "-splashloc  'C:\\Program Files\\Morvane Kit\\splsh.bmp'" "-initcmd 'af cat = pgmlib.morvlib.morvane_app.frame'")
check "morvane.cfg holds its four lines" test "$(cat "$product_dir/morvane.cfg")" = "$expected_cfg"
check "the stale catalog is gone" test ! -e "$drive_c/sasuser/cdisc.sas7bcat"
expected_config=$(printf -- '-SET SASAUTOS (\r\n                "C:\\Program Files\\Morvane Kit\\saspgm"\r\n        "!SASROOT\\core\\sasmacro"\r\n        "!SASROOT\\base\\sasmacro"\r\n        )\r\n\r\n')
check "SASAUTOS starts with the macro folder" test "$(cat "$drive_c/SAS/V91/nls/en/SASV9.CFG")" = "$expected_config"
check "no temporary file beside the SAS configuration" test "$(ls "$drive_c/SAS/V91/nls/en")" = SASV9.CFG
for link in "${user_dir}Desktop/Morvane.lnk" "${user_dir}AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Talmora/MORVANE/Morvane.lnk"; do
    info=$(lnkinfo "$link" 2>&1)
    echo "$info" >"$artefacts/$(basename "$(dirname "$link")").lnkinfo.txt"
    check "$link: arguments" grep -qF "Command line arguments$(printf '\t\t'):  -CONFIG \"C:\\SAS\\V91\\SASV9.CFG\" -CONFIG \"C:\\Program Files\\Morvane Kit\\morvane.cfg\"" <<<"$info"
    check "$link: target" grep -qF 'Local path			: C:\SAS\V91\sas.exe' <<<"$info"
    check "$link: working folder" grep -qF 'Working directory		: C:\SAS\V91' <<<"$info"
    check "$link: icon" grep -qF 'Icon location			: C:\Program Files\Morvane Kit\Morvane_Post_Installation_setup.icx' <<<"$info"
    check "$link: description" grep -qF 'Description			: Morvane' <<<"$info"
    check "$link: opens maximized" test "$(od -An -tu1 -j60 -N1 "$link" | tr -d ' ')" = 3
done
end_scenario

echo "== A read-only SAS configuration fails the step and leaves the window usable"
new_sas91_machine "$exe"
before=$(md5sum <"$config")
must "make the SAS configuration read-only" chattr +i "$config"
start_setup
window=$(wait_window "Morvane Post Installation setup")
must "the setup window appears" test -n "$window"
press "$window" Return stays
error=$(wait_window "Error!")
check "the Error! box appears" test -n "$error"
import -window root "$artefacts/error.png"
press "$error" Return
# A window that the error closes would be gone within a second.
wait_until 1 closed "$window"
import -window root "$artefacts/after-error.png"
check "the window stays open" test -n "$(xdotool search --onlyvisible --name '^Morvane Post Installation setup$')"
check "the SAS configuration is untouched" test "$(md5sum <"$config")" = "$before"
check "no temporary file is left" test "$(ls "$(dirname "$config")")" = SASV9.CFG
must "make the SAS configuration writable again" chattr -i "$config"
press "$window" Return stays
notice=$(wait_window Notice)
check "Install works again once the fault is gone" test -n "$notice"
press "$notice" Return
check "the program then ends with exit code 0" exits_with 0
check "SASAUTOS now starts with the macro folder" grep -qF '"C:\Program Files\Morvane Kit\saspgm"' "$config"

end_scenario

echo "== A second copy is refused while the window is open; the window left alone ends with 5"
new_sas91_machine "$exe"
start_setup
window=$(wait_window "Morvane Post Installation setup")
must "the setup window appears" test -n "$window"
snapshot() { (cd "$drive_c" && find . -path ./windows -prune -o -type f -newer "$WINEPREFIX/.throwaway" -print | sort | xargs -r -d '\n' md5sum); }
# A Linux shell sees a Windows exit code modulo 256: 1618 arrives as 82.
already_running=$((1618 % 256))
before=$(snapshot)
(cd "$product_dir" && wine ./Morvane_Post_Installation_setup.exe /silent /sas=9.1 >"$WINEPREFIX/second.out" 2>"$WINEPREFIX/second.err")
check "a second unattended copy exits with 1618" test $? = $already_running
check "it says the setup is already running" grep -q "^The setup is already running." "$WINEPREFIX/second.err"
(cd "$product_dir" && wine ./Morvane_Post_Installation_setup.exe >/dev/null 2>&1; echo $? >"$WINEPREFIX/second-exit-code") &
refusal=$(wait_window "Error!")
check "a second windowed copy shows the Error! box" test -n "$refusal"
import -window root "$artefacts/already-running.png"
press "$refusal" Return
wait_until 10 test -f "$WINEPREFIX/second-exit-code"
check "and exits with 1618" test "$(cat "$WINEPREFIX/second-exit-code" 2>/dev/null)" = $already_running
check "the second copies wrote nothing" test "$(snapshot)" = "$before"
check "Escape reaches the window" press "$window" Escape
check "the window left without installing ends with 5" exits_with 5
end_scenario

echo "== A failed installation, then Exit, ends with 1"
new_sas91_machine "$exe"
must "make the SAS configuration read-only" chattr +i "$config"
start_setup
window=$(wait_window "Morvane Post Installation setup")
must "the setup window appears" test -n "$window"
press "$window" Return stays
error=$(wait_window "Error!")
must "the Error! box appears" test -n "$error"
press "$error" Return
check "Escape reaches the window" press "$window" Escape
check "the program ends with exit code 1" exits_with 1
chattr -i "$config"
end_scenario

echo "== SAS 9.1 and 9.4: a fourth option, 9.4 selected, Enter installs for 9.4"
new_sas91_machine "$exe"
seed_sas94
sas91_config_before=$(md5sum <"$config")
start_setup
window=$(wait_window "Morvane Post Installation setup")
check "the setup window appears" test -n "$window"
check "the setup window is drawn" wait_until 10 drawn "$window"
import -window root "$artefacts/setup-window-sas94.png"
# 480 twips more at Wine's 96 dots per inch.
check "the window is one option row taller" test "$(window_height "$window")" = $((three_option_height + 32))
press "$window" Return stays
notice=$(wait_window Notice)
check "the Notice box appears" test -n "$notice"
press "$notice" Return
check "the program ends with exit code 0" exits_with 0
check "the 9.4 language file gets the entry" grep -qF '"C:\Program Files\Morvane Kit\saspgm"' "$sas_root/nls/en/SASV9.CFG"
check "the 9.1 configuration is untouched" test "$(md5sum <"$config")" = "$sas91_config_before"
info=$(lnkinfo "${user_dir}Desktop/Morvane.lnk" 2>&1)
check "the shortcut starts 9.4" grep -qF 'Local path			: C:\Program Files\SASHome\SASFoundation\9.4\sas.exe' <<<"$info"
check "the shortcut passes 9.4's root configuration" grep -qF -- '-CONFIG "C:\Program Files\SASHome\SASFoundation\9.4\SASV9.CFG"' <<<"$info"

finish_checks "dialog end-to-end"
