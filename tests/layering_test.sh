#!/usr/bin/env bash
# The layers point one way: each folder below may include only what lies under it.
#   program/     -> app/, sas/, integration/, macros/, platform/
#   app/         -> integration/, macros/, sas/, platform/
#   integration/ -> macros/, sas/, platform/
#   macros/      -> platform/
#   sas/         -> platform/
#   platform/    -> platform/
# Usage: layering_test.sh SOURCE_DIR
set -u
cd "$1" || exit 2
forbidden() {
    case $1 in
        platform) echo "app integration macros sas program" ;;
        sas) echo "app integration macros program" ;;
        macros) echo "app integration sas program" ;;
        integration) echo "app program" ;;
        app) echo "program" ;;
    esac
}
violations=0
for layer in platform sas macros integration app; do
    for above in $(forbidden "$layer"); do
        while IFS= read -r hit; do
            echo "FAILED: $hit (a $layer/ file includes $above/)"
            violations=$((violations + 1))
        done < <(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]$above/" "$layer" \
            --include='*.hpp' --include='*.cpp' --include='*.h')
    done
done
[ "$violations" -eq 0 ] && echo "layering: every include points down"
exit $((violations > 0))
