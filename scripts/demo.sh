#!/usr/bin/env bash
# The program's main job, shown end to end: builds the setup program, makes a throwaway
# Windows (Wine) machine with SAS 9.1 installed, copies the setup into a product folder
# there, runs it (the window if there is a display, else unattended), then shows what the
# installation did. The machine is kept in ./demo for a closer look. The program is the
# shipped one, the 32-bit build. Exits 0 when the installation completed, else non-zero.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-dependencies.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Morvane_Post_Installation_setup
exe=$root/build/win32/program/Morvane_Post_Installation_setup.exe

source scripts/wine/wine_session.sh
rm -rf "$root/demo"
mkdir -p "$root/demo"
export TMPDIR=$root/demo
new_sas91_machine "$exe"
rm -f "$WINEPREFIX/.throwaway" # kept for a look afterwards
cp "$config" "$root/demo/SASV9.CFG.before"

status=0
if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
    echo "== Running the setup window: choose Install (or press Enter)"
    (cd "$product_dir" && wine ./Morvane_Post_Installation_setup.exe) || status=$?
else
    echo "== No display: running the unattended installation"
    (cd "$product_dir" && wine ./Morvane_Post_Installation_setup.exe /silent /sas=9.1) || status=$?
fi
if [ "$status" -ne 0 ]; then
    echo "The setup ended with exit code $status: no complete installation to show."
    exit "$status"
fi

windows_path() { echo "C:${1#"$drive_c"}" | tr / '\\'; }
echo
echo "== Files written in $(windows_path "$product_dir")"
(cd "$product_dir" && find saspgm morvane.cfg -type f -printf '%10s  %p\n' | sort -k2)
echo
echo "== SASAUTOS change in $(windows_path "$config")"
diff -u --label before --label after "$root/demo/SASV9.CFG.before" "$config" | tr -d '\r' || true
for link in "${user_dir}Desktop/Morvane.lnk" \
    "${user_dir}AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Talmora/MORVANE/Morvane.lnk"; do
    echo
    echo "== Shortcut $(windows_path "$link")"
    lnkinfo "$link" | sed -n '/Local path/p;/Description/p;/Working directory/p;/Command line/p;/Icon location/p'
    echo "	Show command			: $(od -An -tu1 -j60 -N1 "$link" | tr -d ' ') (3: maximized)"
done
echo
echo "== morvane.cfg"
tr -d '\r' <"$product_dir/morvane.cfg"
echo
echo "The demonstration machine is in $WINEPREFIX"
