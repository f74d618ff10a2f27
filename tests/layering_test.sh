#!/usr/bin/env bash
# The layers point one way: each folder below may include only what lies under it.
#   program/     -> app/, sas/, integration/, macros/, platform/
#   app/         -> integration/, macros/, sas/, platform/
#   integration/ -> macros/, sas/, platform/
#   macros/      -> product/, text/, platform/
#   sas/         -> text/, platform/
#   product/     -> text/
#   text/        -> nothing: plain text helpers
#   platform/    -> platform/ (the interfaces directly in it include no back end)
# An include counts by the file it reaches, however it is written: "x", <x>, ../x or a
# nested folder's path, each tried beside the including file first and then from the top.
# Usage: layering_test.sh SOURCE_DIR
set -u
cd "$1" || exit 2
top=$(pwd -P)
forbidden() {
    case $1 in
        platform) echo "app integration macros sas product text program" ;;
        sas) echo "app integration macros product program" ;;
        macros) echo "app integration sas program" ;;
        product) echo "app integration macros sas program platform" ;;
        integration) echo "app program" ;;
        app) echo "program" ;;
        text) echo "app integration macros sas program platform" ;;
    esac
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
for layer in text product platform sas macros integration app; do
    if [ ! -d "$layer" ]; then
        echo "FAILED: there is no $layer/ folder to check"
        violations=$((violations + 1))
    fi
    while IFS= read -r file; do
        while IFS=: read -r line name; do
            target=$(reached "$top/$(dirname "$file")" "$name")
            [ -n "$target" ] || continue
            above=${target%%/*}
            blamed=""
            case " $(forbidden "$layer") " in *" $above "*) blamed="$above/" ;; esac
            if [ "$(dirname "$file")" = platform ]; then
                case $target in platform/*/*) blamed="a platform back end" ;; esac
            fi
            if [ -n "$blamed" ]; then
                echo "FAILED: $file:$line includes $target (a $layer/ file includes $blamed)"
                violations=$((violations + 1))
            fi
        done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][^">]+[">]' "$file" |
            sed -E 's/^([0-9]+):[^"<]*["<]([^">]+)[">].*/\1:\2/')
    done < <(find "$layer" -type f \( -name '*.hpp' -o -name '*.cpp' -o -name '*.h' \))
done
[ "$violations" -eq 0 ] && echo "layering: every include points down"
exit $((violations > 0))
