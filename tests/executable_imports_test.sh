#!/usr/bin/env bash
# The setup program is one file: every DLL it imports is Windows' own.
set -u
exe=$1
allowed=" ADVAPI32.dll COMCTL32.dll GDI32.dll KERNEL32.dll msvcrt.dll ole32.dll SHELL32.dll USER32.dll "
status=0
for dll in $(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p'); do
    case "$allowed" in
    *" $dll "*) echo "ok: imports $dll" ;;
    *) echo "FAILED: imports $dll, which is not a Windows system DLL"; status=1 ;;
    esac
done
size=$(stat -c %s "$exe")
echo "size: $size bytes"
exit $status
