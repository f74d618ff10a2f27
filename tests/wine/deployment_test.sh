#!/usr/bin/env bash
# The real program run as deployment tools run it, under Wine: detection right after an
# installation, the AllUsers value as such tools write it, the scope switches, and a dry
# run and a check that leave missing profile folders missing. One fresh machine per row.
# Usage: deployment_test.sh SETUP_EXE
set -u
exe=$(realpath "$1")
source "$(dirname "$0")/../../scripts/wine/wine_session.sh"
unset DISPLAY

said() { grep -qxF "$1" "$out"; }
product_key='HKLM\SOFTWARE\Talmora\Morvane'
set_all_users() {
    must "write AllUsers as $1 $2" wine reg add "$product_key" /v AllUsers /t "$1" /d "$2" /f /reg:64
    wineserver -w
}
all_there() { local f; for f in "$@"; do [ -e "$f" ] || return 1; done; }
none_there() { local f; for f in "$@"; do [ ! -e "$f" ] || return 1; done; }

no_list_is_detected() {
    printf -- '-SET MYVAR 1\r\n' >"$config" || setup_failed "a configuration without a list"
    must "install" run_setup /silent /sas=9.1
    run_setup /verify /silent
    check "/verify exits 0 after installing on it" test "$status" = 0
    check "/verify shows it on its own line" said 'no list C:\SAS\V91\nls\en\SASV9.CFG'
}

dword_all_users() {
    set_all_users REG_DWORD 1
    must "install" run_setup /silent /sas=9.1
    check "the all-users shortcuts are made" all_there "${all_users_links[@]}"
    check "the user's shortcuts are not" none_there "${user_links[@]}"
}

all_users_switch_then_uninstall() {
    must "install with /allusers" run_setup /silent /sas=9.1 /allusers
    check "/allusers makes the all-users shortcuts" all_there "${all_users_links[@]}"
    run_setup /verify /silent
    check "/verify follows the recorded scope" test "$status" = 0
    run_setup /uninstall /silent
    check "/uninstall exits 0" test "$status" = 0
    check "the all-users shortcuts are removed" none_there "${all_users_links[@]}"
    check "and their Start-menu folders" test ! -e "$common_programs/Talmora"
}

current_user_switch_over_setting() {
    set_all_users REG_SZ 1
    must "install with /currentuser" run_setup /silent /sas=9.1 /currentuser
    check "/currentuser makes the user's shortcuts" all_there "${user_links[@]}"
    check "and not the all-users ones" none_there "${all_users_links[@]}"
}

missing_profile_folders_stay_missing() {
    local user win_desktop
    user=$(basename "$user_dir")
    win_desktop="C:\\users\\$user\\Desktop"
    must "remove the desktop and Start-menu folders" rm -r "${user_dir}Desktop" "$user_programs"
    run_setup /whatif /sas=9.1
    check "/whatif exits 0" test "$status" = 0
    check "/whatif lists the desktop to create" said "create $win_desktop"
    check "and the Start-menu folder" said "create C:\\users\\$user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Talmora\\MORVANE"
    run_setup /verify /silent
    check "/verify exits 4" test "$status" = 4
    check "/verify says the desktop is missing" said "missing $win_desktop"
    check "both folders are still missing" none_there "${user_dir}Desktop" "$user_programs"
    must "install" run_setup /silent /sas=9.1
    check "the installation makes them" all_there "${user_links[@]}"
}

for scenario in no_list_is_detected dword_all_users all_users_switch_then_uninstall \
    current_user_switch_over_setting missing_profile_folders_stay_missing; do
    echo "== $scenario"
    new_sas91_machine "$exe"
    user_programs="${user_dir}AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
    common_programs="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
    # The shortcuts of each scope, as Linux paths.
    user_links=("${user_dir}Desktop/Morvane.lnk" "$user_programs/Talmora/MORVANE/Morvane.lnk")
    all_users_links=("$drive_c/users/Public/Desktop/Morvane.lnk" "$common_programs/Talmora/MORVANE/Morvane.lnk")
    "$scenario"
    end_scenario
done

finish_checks deployment
