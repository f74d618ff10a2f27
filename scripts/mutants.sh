#!/usr/bin/env bash
# Mutation testing, run by hand: each mutant of tests/mutants.txt is a small fault put into
# a scratch copy of the tree, which is then built and tested with the native preset. A
# mutant the tests fail on is killed; one they pass is a fault they would let through.
# Usage: scripts/mutants.sh [FILTER...]
#   FILTER: a line number of tests/mutants.txt, or text that the mutant's line holds; with
#   filters, only the mutants that match one of them run.
# MORVANE_MUTANTS_DIR=FOLDER keeps the scratch copy and its build there for the next run.
# Exits 0 when every mutant that built was killed and no mutant was bad.
set -u
cd "$(dirname "$0")/.." || exit 2
scripts/install-dependencies.sh
tree=$PWD
scratch=${MORVANE_MUTANTS_DIR:-$(mktemp -d)}
original="" mutated=""
# Whatever ends the run, the mutated file gets its text back.
restore() { [ -n "$original" ] && printf '%s' "$original" >"$scratch/$mutated"; original=; }
trap 'restore; [ -z "${MORVANE_MUTANTS_DIR:-}" ] && rm -rf "$scratch"' EXIT
mkdir -p "$scratch"
# Only files that differ are copied, so a kept build stays incremental and correct.
git ls-files -z | while IFS= read -r -d '' file; do
    cmp -s "$file" "$scratch/$file" 2>/dev/null ||
        { mkdir -p "$scratch/$(dirname "$file")" && cp "$file" "$scratch/$file"; }
done
cd "$scratch" || exit 2
log=$scratch/mutant.log
build() { cmake --build --preset native </dev/null >"$log" 2>&1; }
run_tests() { ctest --preset native --timeout 120 </dev/null >>"$log" 2>&1; }
cmake --preset native >/dev/null || exit 2
if ! build || ! run_tests; then
    cat "$log"
    echo "The tree itself does not build or pass its tests: no mutant can be judged."
    exit 2
fi

selected() {
    [ $# -eq 2 ] && return 0
    local number=$1 line=$2 filter
    shift 2
    for filter in "$@"; do
        [ "$filter" = "$number" ] || [[ $line == *"$filter"* ]] && return 0
    done
    return 1
}

killed=0 survived=0 unbuilt=0 bad=0 number=0
while IFS= read -r line || [ -n "$line" ]; do
    number=$((number + 1))
    [[ -z ${line//[[:space:]]/} || $line =~ ^[[:space:]]*# ]] && continue
    selected "$number" "$line" "$@" || continue
    mutated=${line%% ||| *}
    rest=${line#* ||| }
    text=${rest%% ||| *}
    replacement=${rest#* ||| }
    label="$(printf '%3d' "$number") $mutated: $text -> $replacement"
    if [[ $mutated == "$line" || $text == "$rest" || ! -f $mutated ]]; then
        echo "bad mutant: no file, text and replacement: $label"
        bad=$((bad + 1))
        continue
    fi
    IFS= read -r -d '' content <"$mutated"
    after=${content#*"$text"}
    if [[ $content != *"$text"* || $after == *"$text"* ]]; then
        echo "bad mutant: text not found/ambiguous: $label"
        bad=$((bad + 1))
        continue
    fi
    original=$content
    printf '%s' "${content%%"$text"*}$replacement$after" >"$mutated"
    if ! build; then
        result="did not build"
        unbuilt=$((unbuilt + 1))
    elif run_tests; then
        result=survived
        survived=$((survived + 1))
    else
        result=killed
        killed=$((killed + 1))
    fi
    restore
    printf '%-14s %s\n' "$result" "$label"
done <"$tree/tests/mutants.txt"
built=$((killed + survived))
summary="$((built + unbuilt)) mutants: $killed killed, $survived survived, $unbuilt did not build"
[ "$bad" -gt 0 ] && summary+=", $bad bad"
echo "$summary; $((built > 0 ? 100 * killed / built : 100))% killed"
[ "$survived" -eq 0 ] && [ "$bad" -eq 0 ]
