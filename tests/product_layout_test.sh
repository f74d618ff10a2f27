#!/usr/bin/env bash
# The tree shows the design: the product's own names stand as string literals in one
# source file (the generated-file templates aside), no folder holds more than a fifth of
# the production code directly, and the layers point one way.
# Usage: product_layout_test.sh SOURCE_DIR
set -u
cd "$1" || exit 2
failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}
# Files not yet added count too: a literal must not slip in before the commit.
production=$(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.hpp' '*.h' \
    ':!tests/**' ':!bench/**' ':!fuzz/**' 2>/dev/null ||
    find . \( -name '*.[ch]pp' -o -name '*.h' \) -not -path './tests/*' -not -path './bench/*' \
        -not -path './fuzz/*' -not -path './build/*' | sed 's|^\./||')
# One writer with its line template per generated file, and morvane.cfg's.
templates=$(echo "$production" | grep -E '^macros/' |
    grep -vE '/(sas_file_writer|folders|parameter_lines|macro_files)\.' ; echo integration/tool_config.cpp)
# The string literals of a file, read left to right so that a quote in a character
# literal or a // inside a string is taken for what it is, and comments are left out.
literals() {
    perl -0777 -ne 's/\x27(?:\\.|[^\x27\\\n])\x27//g;
        while (m{//[^\n]*|/\*.*?\*/|"((?:[^"\\\n]|\\.)*)"}gs) { print "$1\n" if defined $1 }' "$1"
}
for name in saspgm morvane.cfg Morvane.lnk Talmora MORVANE morvane-setup.ini; do
    holders=$(for file in $production; do
        grep -qxF "$file" <<<"$templates" && continue
        literals "$file" | grep -qF "$name" && echo "$file"
    done)
    [ "$(echo "$holders" | sed '/^$/d' | wc -l)" -eq 1 ] ||
        fail "\"$name\" stands as a literal in: $(echo $holders)"
done
# Non-blank lines of each folder's own files against the whole.
while read -r folder lines total; do
    [ $((lines * 5)) -le "$total" ] ||
        fail "$folder/ holds $lines of $total lines of production code directly: more than a fifth"
done < <(for file in $production; do printf '%s %s\n' "$(dirname "$file")" "$(grep -c '[^[:space:]]' "$file")"; done |
    awk '{n[$1] += $2; t += $2} END {for (d in n) print d, n[d], t}')
bash tests/layering_test.sh . >/dev/null || fail "an include points up (tests/layering_test.sh says which)"
[ "$failures" -eq 0 ] && echo "product layout: every name once, every folder small, every include down"
exit $((failures > 0))
