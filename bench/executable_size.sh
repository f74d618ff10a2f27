#!/usr/bin/env bash
# The setup program's size and the DLLs it imports: one file, Windows' own DLLs only.
set -eu
exe=$1
size=$(stat -c %s "$exe")
echo "executable: $(basename "$exe")  $size bytes ($((size / 1024)) KiB; target under 512 KiB)"
echo "imports: $(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')"
[ "$size" -lt $((512 * 1024)) ]
