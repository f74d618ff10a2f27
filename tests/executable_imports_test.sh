#!/usr/bin/env bash
# The setup program is one file under 640 KiB, whatever its width: every DLL it imports is
# Windows' own (names compared without regard to case, as Windows does), and Windows loads
# it at a random address with data that cannot run, its stack guarded.
# Usage: executable_imports_test.sh SETUP_EXE
set -u
exe=$1
# The machine field of the PE header says which toolchain's objdump reads the file.
pe_offset=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
case $(od -An -tx2 -j$((pe_offset + 4)) -N2 "$exe" | tr -d ' ') in
014c) objdump=i686-w64-mingw32-objdump width=32 flags="DYNAMIC_BASE NX_COMPAT" ;;
8664) objdump=x86_64-w64-mingw32-objdump width=64 flags="HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT" ;;
*) echo "FAILED: $exe is neither an i386 nor an x86-64 Windows executable"; exit 1 ;;
esac
echo "$(basename "$exe"): $width-bit"
allowed=" advapi32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll "
status=0
dlls=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p')
[ -n "$dlls" ] || { echo "FAILED: no imports read"; status=1; }
for dll in $dlls; do
    case "$allowed" in
    *" ${dll,,} "*) echo "ok: imports $dll" ;;
    *) echo "FAILED: imports $dll, which is not a Windows system DLL"; status=1 ;;
    esac
done
# objdump names the DllCharacteristics bits on the lines after the field's value.
characteristics=$("$objdump" -p "$exe" | sed -n '/^DllCharacteristics/,/^[^[:space:]]/{/^[[:space:]]/p}' | tr -s ' \t\n' ' ')
for flag in $flags; do
    case " $characteristics " in
    *" $flag "*) echo "ok: $flag" ;;
    *) echo "FAILED: $flag is not set in DllCharacteristics"; status=1 ;;
    esac
done
# The stack protector is in only if the compiler put its checks in and libssp came with them.
map=${exe%.exe}.map
if grep -q "__stack_chk_fail" "$map" 2>/dev/null; then
    echo "ok: the stack protector's check is linked in"
else
    echo "FAILED: $map names no __stack_chk_fail: the stack protector is not in"
    status=1
fi
size=$(stat -c %s "$exe")
if [ "$size" -lt $((640 * 1024)) ]; then
    echo "ok: $size bytes ($((size / 1024)) KiB), under 640 KiB"
else
    echo "FAILED: $size bytes ($((size / 1024)) KiB), not under 640 KiB"
    status=1
fi
exit $status
