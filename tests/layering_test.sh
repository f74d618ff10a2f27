#!/usr/bin/env bash
# The layers point one way: each folder may include only itself and what it lists below.
# An include counts by the file it reaches, however it is written: "x", <x>, ../x or a
# nested folder's path, each tried beside the including file first and then from the top.
# Usage: layering_test.sh SOURCE_DIR
set -u
cd "$1" || exit 2
top=$(pwd -P)
core="integration macros sas product text platform"
layers=(
    "program: app/commands app/window app/lifecycle app/install app/record app/reporting $core platform/win32"
    "app/commands: app/qualification app/window app/lifecycle app/install app/record app/reporting $core"
    "app/qualification: app/lifecycle app/install app/record app/reporting $core"
    "app/window: app/install app/record app/reporting $core"
    "app/lifecycle: app/install app/record app/reporting $core"
    "app/install: app/record app/reporting $core"
    "app/record: app/reporting $core"
    "app/reporting: platform"
    "integration: macros sas product text platform"
    "macros: product text platform"
    "sas: text platform"
    "product: text"
    "text:"
    "platform/win32: platform"
    "platform/host: platform"
    "platform:"
)
# The layer a file belongs to: the longest layer name its path starts with.
layer_of() {
    local entry name best=""
    for entry in "${layers[@]}"; do
        name=${entry%%:*}
        case $1 in "$name"/*) [ ${#name} -gt ${#best} ] && best=$name ;; esac
    done
    echo "$best"
}
may_include() {
    local entry
    for entry in "${layers[@]}"; do
        [ "${entry%%:*}" = "$1" ] && echo "${entry#*:}"
    done
}
# The file an include names, relative to the top, or nothing when it is not in the tree.
reached() {
    local from_dir=$1 name=$2 candidate
    for candidate in "$from_dir/$name" "$top/$name"; do
        if [ -f "$candidate" ]; then
            realpath -m --relative-to="$top" "$candidate"
            return
        fi
    done
}
violations=0
for entry in "${layers[@]}"; do
    folder=${entry%%:*}
    if [ ! -d "$folder" ]; then
        echo "FAILED: there is no $folder/ folder to check"
        violations=$((violations + 1))
    fi
done
while IFS= read -r file; do
    layer=$(layer_of "$file")
    if [ -z "$layer" ]; then
        echo "FAILED: $file belongs to no layer"
        violations=$((violations + 1))
        continue
    fi
    read -ra allowed <<<"$layer $(may_include "$layer")"
    while IFS=: read -r line name; do
        target=$(reached "$top/$(dirname "$file")" "$name")
        [ -n "$target" ] || continue
        above=$(layer_of "$target")
        # A file outside every layer (a test double, say) is never below anything.
        [ -n "$above" ] && [[ " ${allowed[*]} " == *" $above "* ]] && continue
        echo "FAILED: $file:$line includes $target (a $layer/ file may not include ${above:-it})"
        violations=$((violations + 1))
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][^">]+[">]' "$file" |
        sed -E 's/^([0-9]+):[^"<]*["<]([^">]+)[">].*/\1:\2/')
done < <(find program app integration macros sas product text platform -type f \
    \( -name '*.hpp' -o -name '*.cpp' -o -name '*.h' \) 2>/dev/null)
[ "$violations" -eq 0 ] && echo "layering: every include points down"
exit $((violations > 0))
