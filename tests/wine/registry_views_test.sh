#!/usr/bin/env bash
# A 32-bit SAS registered in the 32-bit registry view (WOW6432Node) and a 64-bit one
# registered in the 64-bit view: the setup, of either width, finds each and installs
# everything for it. A 32-bit setup sees the 64-bit view only by asking for it.
# Usage: registry_views_test.sh SETUP_EXE
set -u
exe=$(realpath "$1")
source "$(dirname "$0")/../../scripts/wine/wine_session.sh"
unset DISPLAY
# registered VIEW VERSION: the release's key stands in that view of the prefix's registry.
registered() {
    local node=''
    if [ "$1" = 32 ]; then node='Wow6432Node\\'; fi
    grep -qiF "[Software\\\\${node}SAS Institute Inc.\\\\The SAS System\\\\$2]" "$WINEPREFIX/system.reg"
}

# installs_completely VERSION SAS_ROOT SASUSER: one unattended run for VERSION, then every
# file, entry and shortcut it makes, for SAS in SAS_ROOT (Windows paths).
installs_completely() {
    local version=$1 root=$2 sasuser=$3 out=$WINEPREFIX/out.txt err=$WINEPREFIX/err.txt
    (cd "$product_dir" && wine ./Morvane_Post_Installation_setup.exe /silent "/sas=$version" >"$out" 2>"$err")
    check "$version: exit code 0" test $? = 0
    check "$version: nothing on standard error" empty "$err"
    local saspgm="$product_dir/saspgm"
    check "$version: seventeen files in saspgm, none empty" \
        test "$(find "$saspgm" -type f -size +0 | wc -l)" = 17
    check "$version: autoexec.sas names the product folder" \
        grep -q "^libname pgmlib    'C:\\\\Program Files\\\\Morvane Kit\\\\saspgm';" "$saspgm/autoexec.sas"
    check "$version: morvane.cfg holds its four lines" test "$(cat "$product_dir/morvane.cfg")" = \
        "$(printf "%s\r\n" "-awstitle 'KVR - Morvane'" "-autoexec 'C:\\Program Files\\Morvane Kit\\saspgm\\autoexec.sas'" "-splashloc  'C:\\Program Files\\Morvane Kit\\splsh.bmp'" "-initcmd 'af cat = pgmlib.morvlib.morvane_app.frame'")"
    check "$version: SASAUTOS starts with the macro folder" test "$(head -2 "$config")" = \
        "$(printf -- '-SET SASAUTOS (\r\n                "C:\\Program Files\\Morvane Kit\\saspgm"\r')"
    check "$version: the stale catalog is gone" test ! -e "$drive_c/${sasuser#C:\\}/cdisc.sas7bcat"
    local link info
    for link in "${user_dir}Desktop/Morvane.lnk" \
        "${user_dir}AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Talmora/MORVANE/Morvane.lnk"; do
        info=$(lnkinfo "$link" 2>&1)
        check "$version: $(basename "$(dirname "$link")") shortcut starts $root\\sas.exe" \
            grep -qF "Local path			: $root\\sas.exe" <<<"$info"
        check "$version: ... in $root" grep -qF "Working directory		: $root" <<<"$info"
        check "$version: ... with both configurations" grep -qF \
            "Command line arguments		:  -CONFIG \"$root\\SASV9.CFG\" -CONFIG \"C:\\Program Files\\Morvane Kit\\morvane.cfg\"" <<<"$info"
        check "$version: ... its icon and description" grep -qF \
            'Icon location			: C:\Program Files\Morvane Kit\Morvane_Post_Installation_setup.icx' <<<"$info"
        check "$version: ... maximized" test "$(od -An -tu1 -j60 -N1 "$link" | tr -d ' ')" = 3
    done
}

echo "== SAS 9.1 registered in the 32-bit view"
new_sas91_machine "$exe"
check "9.1 is in the 32-bit view only" eval "registered 32 9.1 && ! registered 64 9.1"
installs_completely 9.1 'C:\SAS\V91' 'C:\sasuser'
end_scenario

echo "== SAS 9.2 registered in the 64-bit view"
new_sas92_64bit_machine "$exe"
check "9.2 is in the 64-bit view only" eval "registered 64 9.2 && ! registered 32 9.2"
installs_completely 9.2 'C:\Program Files\SAS\SASFoundation\9.2' 'C:\sasuser92'
end_scenario

finish_checks "registry views"
