#!/usr/bin/env bash
# The 32-bit and the 64-bit setup, each on its own copy of the same machine, must write
# the same bytes: the macro library, morvane.cfg, the updated SAS configuration, and the
# same shortcuts. Machines with SAS in either registry view.
# Usage: cross_width_test.sh SETUP_EXE_32 SETUP_EXE_64
set -u
exe32=$(realpath "$1")
exe64=$(realpath "$2")
source "$(dirname "$0")/../../scripts/wine/wine_session.sh"
unset DISPLAY
results=$(mktemp -d)

# written_by MACHINE EXE VERSION DIR: installs on a new MACHINE with EXE and keeps in DIR
# everything it wrote. A shortcut keeps what lnkinfo reads and its header, both without
# the target's times (the target was made at a different moment on each machine).
written_by() {
    local machine=$1 exe=$2 version=$3 kept=$4
    "$machine" "$exe"
    (cd "$product_dir" && wine ./Morvane_Post_Installation_setup.exe /silent "/sas=$version" >/dev/null 2>&1)
    check "$(basename "$kept"): exit code 0" test $? = 0
    mkdir -p "$kept"
    must "keep what $(basename "$kept") wrote" cp -r "$product_dir/saspgm" "$product_dir/morvane.cfg" "$config" "$kept/"
    local link name
    for link in "${user_dir}Desktop/Morvane.lnk" \
        "${user_dir}AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Talmora/MORVANE/Morvane.lnk"; do
        name=$(basename "$(dirname "$link")")
        lnkinfo "$link" | grep -v -i 'time' >"$kept/$name.lnkinfo"
        { head -c 28 "$link"; tail -c +53 "$link" | head -c 24; } | od -An -tx1 >"$kept/$name.header"
    done
    end_scenario
}

for machine in "new_sas91_machine 9.1" "new_sas92_64bit_machine 9.2"; do
    read -r new_machine version <<<"$machine"
    echo "== SAS $version"
    written_by "$new_machine" "$exe32" "$version" "$results/$version-32"
    written_by "$new_machine" "$exe64" "$version" "$results/$version-64"
    check "$version: the 32-bit setup wrote 23 files" test "$(find "$results/$version-32" -type f | wc -l)" = 23
    check "$version: both shortcuts were read" grep -q "Local path" "$results/$version-32/Desktop.lnkinfo" "$results/$version-32/MORVANE.lnkinfo"
    check "$version: both widths wrote the same bytes" diff -r "$results/$version-32" "$results/$version-64"
done
rm -rf "$results"
finish_checks "cross-width agreement"
