#!/usr/bin/env bash
# What takes the shipped executable's space, from the link map the build writes beside it:
# the bytes each library and each of the project's objects brings into the file (code,
# constant and initialised data, exception tables; not the zero-filled .bss), largest first.
# Usage: scripts/executable-size.sh [MAP] (default: the win32 build's)
set -eu
cd "$(dirname "$0")/.."
map=${1:-build/win32/program/Morvane_Post_Installation_setup.map}
awk '
/^Linker script and memory map/ { in_map = 1; next }
!in_map { next }
# An input section: its name, then (on the same line or the next) address, size, file.
/^ \.[^ ]+/ { name = $1; if (NF >= 4) { add(name, $3, $4) } else { pending = name }; next }
pending != "" && /^ +0x/ { add(pending, $2, $3); pending = ""; next }
{ pending = "" }
function hex(text,    value, i) {
    value = 0
    for (i = 3; i <= length(text); i++) value = value * 16 + index("0123456789abcdef", tolower(substr(text, i, 1))) - 1
    return value
}
function add(section, size, file,    bytes, library) {
    if (section ~ /^\.(bss|debug|stab|comment)/ || file == "") return
    bytes = hex(size)
    if (bytes == 0) return
    library = file
    if (library ~ /\(/) { sub(/\(.*/, "", library) } else { library = "(objects)" }
    sub(/.*\//, "", library)
    by_library[library] += bytes
    if (file ~ /libmorvane|CMakeFiles/) {
        object = file
        sub(/\)$/, "", object)
        sub(/.*[\/(]/, "", object)
        sub(/\.obj$/, "", object)
        by_object[object] += bytes
    }
    total += bytes
}
END {
    printf "%-44s %9s\n", "Library", "KiB"
    for (l in by_library) printf "%-44s %9.1f\n", l, by_library[l] / 1024 | "sort -k2 -rn"
    close("sort -k2 -rn")
    printf "\n%-44s %9s\n", "Project object (largest 15)", "KiB"
    for (o in by_object) printf "%-44s %9.1f\n", o, by_object[o] / 1024 | "sort -k2 -rn | head -15"
    close("sort -k2 -rn | head -15")
    printf "\n%-44s %9.1f\n", "All sections", total / 1024
}' "$map"
