#!/usr/bin/env bash
# Side files under Wine, in an unattended repair of the real program: names that earlier
# versions used for their temporary, backup and new files, planted in advance as hard
# links to a file the user may not change, or as the user's own files, are neither
# written through nor touched, and the installation completes as usual.
# Usage: side_files_test.sh SETUP_EXE
set -u
exe=$(realpath "$1")
source "$(dirname "$0")/../../scripts/wine/wine_session.sh"
unset DISPLAY
fingerprint() { md5sum "$@" | cut -d' ' -f1 | tr '\n' ' '; }

echo "== Side-file names planted before a repair"
new_sas91_machine "$exe"
stock=$(mktemp)
must "keep the stock SAS configuration" cp "$config" "$stock"
must "the first installation" run_setup /silent /sas=9.1
# The entry goes again, so that the repair rewrites the configuration too.
must "restore the stock SAS configuration" cp "$stock" "$config"
rm -f "$stock"
saspgm=$product_dir/saspgm
desktop=${user_dir}Desktop
victim=$drive_c/windows/victim.ini
printf '[protected]\r\n' >"$victim" || setup_failed "make a file the user may not change"
linked=("$saspgm/autoexec.sas.morvane-tmp" "$saspgm/autoexec.sas.morvane-old"
    "$config.morvane-new" "$config.morvane-tmp" "$config.morvane-old" "$desktop/~orvane.lnk")
for name in "${linked[@]}"; do
    must "link $(basename "$name") to it" ln "$victim" "$name"
done
owned=("$saspgm/difftest.sas.morvane-tmp" "$saspgm/difftest.sas.morvane-old"
    "$product_dir/morvane.cfg.morvane-old")
for name in "${owned[@]}"; do
    printf 'mine: %s\r\n' "$name" >"$name" || setup_failed "write the user's own $(basename "$name")"
done
before=$(fingerprint "$victim" "${owned[@]}")
listing() { ls -A "$saspgm" "$desktop" "$(dirname "$config")" "$product_dir"; }
names_before=$(listing)

run_setup /silent /sas=9.1
check "exit code 0" test "$status" = 0 -a ! -s "$err"
check "the SASAUTOS entry is in place" grep -qF '"C:\Program Files\Morvane Kit\saspgm"' "$config"
check "the log of steps ends complete" grep -q "^Installation completed\.$" "$out"
check "the linked file and the user's files are byte-identical" \
    test "$(fingerprint "$victim" "${owned[@]}")" = "$before"
check "every planted name is still there, and nothing else was left" \
    test "$(listing)" = "$names_before"
check "the linked file still has all its names" test "$(stat -c %h "$victim")" = $((${#linked[@]} + 1))
end_scenario
finish_checks "side_files"
