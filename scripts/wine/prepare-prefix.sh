#!/usr/bin/env bash
# Makes a Wine prefix fit for headless tests, once; later calls return at once.
set -eu
prefix=$1
[ -f "$prefix/.morvane-ready" ] && exit 0
mkdir -p "$prefix"
exec 9>"$prefix/.morvane-lock"
flock 9
[ -f "$prefix/.morvane-ready" ] && exit 0
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wineboot --init
wineserver -w
# The profile folders link to $HOME in a fresh prefix: make them real folders, so tests
# never write into the real home.
for link in "$prefix"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm "$link" && mkdir -p "$link"; fi
done
# A crash must fail the test, not wait for a click on a dialog.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f
mkdir -p "$prefix/drive_c/windows/Fonts"
cp -n /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
wineserver -w
touch "$prefix/.morvane-ready"
