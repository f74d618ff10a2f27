#!/usr/bin/env bash
# The administrator's lifecycle with the real program under Wine: a dry run, install,
# verify, repair, uninstall, for SAS 9.1 (32-bit registry view) and SAS 9.4 (64-bit).
# Usage: lifecycle_test.sh SETUP_EXE
set -u
exe=$(realpath "$1")
source "$(dirname "$0")/../../scripts/wine/wine_session.sh"
unset DISPLAY

said() { grep -qxF "$1" "$out"; }
# Every file under drive_c with its bytes and time, but the log the dry run was given.
drive_snapshot() {
    (cd "$drive_c" && find . -type f ! -name whatif.log -printf '%p %T@\n' -exec md5sum {} + | sort)
}

lifecycle() {
    local release=$1 config=$2 start_menu="${user_dir}AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
    local macros="$product_dir/saspgm" win_macros='C:\Program Files\Morvane Kit\saspgm'
    local folder_before config_before drive_before
    folder_before=$(cd "$product_dir" && find . | sort)
    config_before=$(md5sum <"$config")

    drive_before=$(drive_snapshot)
    run_setup /whatif "/sas=$release" '/log=C:\whatif.log'
    check "/whatif exits 0" test "$status" = 0
    check "/whatif would create the macro files" said "create $win_macros\\autoexec.sas"
    check "/whatif shows the SASAUTOS diff" said "+                \"$win_macros\""
    check "/whatif changes nothing on drive C:" test "$(drive_snapshot)" = "$drive_before"

    run_setup /silent "/sas=$release" '/log=C:\setup.log'
    check "installs with exit 0" test "$status" = 0
    run_setup /verify /silent
    check "/verify exits 0" test "$status" = 0
    check "/verify says ok for 21 items" test "$(grep -c '^ok ' "$out")" = 21
    must "delete addseq.sas" rm "$macros/addseq.sas"
    must "change a byte of cdisc.sas" dd of="$macros/cdisc.sas" bs=1 count=1 seek=5 conv=notrunc <<<X
    run_setup /verify /silent
    check "/verify exits 4 after damage" test "$status" = 4
    check "/verify names the deleted file" said "missing $win_macros\\addseq.sas"
    check "/verify names the changed file" said "changed $win_macros\\cdisc.sas"
    run_setup /repair /silent
    check "/repair exits 0" test "$status" = 0
    run_setup /verify /silent
    check "/verify exits 0 after the repair" test "$status" = 0

    run_setup /uninstall /silent
    check "/uninstall exits 0" test "$status" = 0
    check "program folder as before" test "$(cd "$product_dir" && find . | sort)" = "$folder_before"
    check "desktop shortcut removed" test ! -e "${user_dir}Desktop/Morvane.lnk"
    check "Start-menu folders removed" test ! -e "$start_menu/Talmora"
    check "SAS configuration byte-identical" test "$(md5sum <"$config")" = "$config_before"
    run_setup /uninstall /silent
    check "a second /uninstall exits 0" test "$status" = 0
    check "and says nothing is recorded" grep -q "^Nothing is recorded in " "$out"

    must "install again" run_setup /silent "/sas=$release"
    printf 'my own line\r\n' >>"$macros/varlen.sas" || setup_failed "change varlen.sas"
    check "an uninstall that keeps a changed file exits 0" run_setup /uninstall /silent
    check "a changed macro file survives uninstall" test -s "$macros/varlen.sas"
    check "and is reported" said "kept $win_macros\\varlen.sas: changed since the installation"
    must "remove the kept macro folder" rm -r "$macros"

    printf -- '-SET SASAUTOS (\r\n  "%s"\r\n)\r\n' "$win_macros" >"$config" || setup_failed "list the macro folder in SASAUTOS"
    config_before=$(md5sum <"$config")
    must "install with the folder listed already" run_setup /silent "/sas=$release"
    check "that uninstall exits 0" run_setup /uninstall /silent
    check "a folder listed before stays listed" test "$(md5sum <"$config")" = "$config_before"
}

echo "== SAS 9.1, 32-bit registry view"
new_sas91_machine "$exe"
lifecycle 9.1 "$config"
end_scenario

echo "== SAS 9.4, 64-bit registry view"
new_prefix
seed_sas94
install_product "$exe"
lifecycle 9.4 "$sas_root/nls/en/SASV9.CFG"
end_scenario

# What a setup record names is touched only when this program makes it from this folder.
tampered_record() {
    local record="$product_dir/morvane-setup.ini" other_cfg="$drive_c/OtherKit/SASV9.CFG"
    local notes="$drive_c/Data/notes.txt" foreign="$drive_c/Foreign/Talmora" before
    must "install" run_setup /silent /sas=9.1
    { mkdir -p "$drive_c/OtherKit" "$drive_c/Data" "$foreign/MORVANE" &&
        cp "$config" "$other_cfg" && cp "$config" "$notes" &&
        # This installation's own update, said to be of other files.
        for file in 'C:\OtherKit\SASV9.CFG' 'C:\Data\notes.txt'; do
            sed -n '/^\[SAS configuration\]/,$p' "$record" | sed "s|^File=.*|File=${file//\\/\\\\}\r|"
        done >"$WINEPREFIX/foreign-updates" && cat "$WINEPREFIX/foreign-updates" >>"$record" &&
        sed -i 's/^\[Folders created\]\r$/&\nFolder=C:\\Foreign\\Talmora\\MORVANE\r\nFolder=C:\\Foreign\\Talmora\r/' "$record"; } ||
        setup_failed "tamper with the setup record"
    before=$(md5sum "$other_cfg" "$notes")
    run_setup /uninstall /silent
    check "the tampered record's /uninstall exits 0" test "$status" = 0
    check "another kit's SAS configuration is left as it was" test "$(md5sum "$other_cfg" "$notes")" = "$before"
    check "and is reported" said_starting 'not removed C:\OtherKit\SASV9.CFG: '
    check "foreign Talmora folders are left" test -d "$foreign/MORVANE"
    check "the real installation is undone" test ! -e "$product_dir/saspgm" -a ! -e "$record"
    check "its SASAUTOS entry is taken out" test "$(md5sum <"$config")" = "$config_before"
}
said_starting() { grep -qF -- "$1" "$out"; }

echo "== A tampered setup record"
new_sas91_machine "$exe"
config_before=$(md5sum <"$config")
tampered_record
end_scenario

echo "== Uninstall through a second drive letter for the program folder"
new_sas91_machine "$exe"
config_before=$(md5sum <"$config")
must "install" run_setup /silent /sas=9.1
must "map M: to the program folder" ln -s "$product_dir" "$WINEPREFIX/dosdevices/m:"
(cd "$product_dir" && wine 'M:\Morvane_Post_Installation_setup.exe' /uninstall /silent >"$WINEPREFIX/out.txt" 2>&1)
check "M: is the same folder, so the uninstallation completes" test $? = 0
check "M: undid everything" test ! -e "$product_dir/saspgm" -a ! -e "$product_dir/morvane-setup.ini" \
    -a ! -e "${user_dir}Desktop/Morvane.lnk" -a "$(md5sum <"$config")" = "$config_before"
end_scenario

finish_checks lifecycle
