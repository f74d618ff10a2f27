#!/usr/bin/env bash
# Makes a Wine prefix fit for headless tests of 32- and 64-bit programs, once; later calls
# return at once. A prefix made before Wine's 32-bit support was installed cannot start
# 32-bit programs ("could not load kernel32.dll"): such a prefix is made again.
set -eu
prefix=$1
runs_32_bit() { [ -f "$prefix/drive_c/windows/syswow64/kernel32.dll" ]; }
ready() { [ -f "$prefix/.morvane-ready" ] && runs_32_bit; }
ready && exit 0
mkdir -p "$prefix"
exec 9>"$prefix/.morvane-lock"
flock 9
ready && exit 0
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ -f "$prefix/.morvane-ready" ]; then
    echo "$prefix cannot run 32-bit programs: making it again"
    wineserver -k 2>/dev/null || true
    find "$prefix" -mindepth 1 -maxdepth 1 ! -name .morvane-lock -exec rm -rf {} +
fi
wineboot --init
wineserver -w
runs_32_bit || {
    echo "$prefix has no 32-bit system DLLs: is wine32:i386 installed?" >&2
    exit 1
}
# The profile folders link to $HOME in a fresh prefix: make them real folders, so tests
# never write into the real home. Two commands, not an && list: `set -e` stops at either.
for link in "$prefix"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm "$link"; mkdir -p "$link"; fi
done
# A crash must fail the test, not wait for a click on a dialog. The view is explicit:
# with Wine's 32-bit support installed, `wine reg` itself is a 32-bit program.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f /reg:64
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f /reg:64
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f /reg:64
mkdir -p "$prefix/drive_c/windows/Fonts"
# Without them the captions do not render: a missing font stops the preparation.
cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
wineserver -w
touch "$prefix/.morvane-ready"
