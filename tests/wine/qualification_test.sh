#!/usr/bin/env bash
# The installation qualification report of the real program under Wine, read back
# through a real browser: headless Chromium prints it to PDF and pdftotext reads it.
# The program folder has "&" and "'" in its name. The rendered report is kept.
# Usage: qualification_test.sh SETUP_EXE ARTEFACT_DIR
set -u
exe=$(realpath "$1")
artefacts=$(realpath -m "$2")
mkdir -p "$artefacts"
source "$(dirname "$0")/../../scripts/wine/wine_session.sh"
unset DISPLAY

win_folder="C:\\Program Files\\R&D's Kit"
# The report as the browser prints it, as text: pdf_text NAME, sets text (as read) and
# flat (with every blank and line end taken out, since long values wrap).
pdf_text() {
    must "print $1 to PDF with Chromium" timeout 180 chromium --headless --no-sandbox --disable-gpu \
        --user-data-dir="$WINEPREFIX/chromium" --no-pdf-header-footer --print-to-pdf="$report_dir/$1.pdf" \
        "file://$drive_c/iq/$1.html"
    must "read $1.pdf with pdftotext" pdftotext -layout "$report_dir/$1.pdf" "$report_dir/$1.txt"
    text=$(cat "$report_dir/$1.txt")
    flat=$(tr -d ' \t\r\n\f' <"$report_dir/$1.txt")
}
reads() { case $flat in *"$(tr -d ' \t\r\n' <<<"$1")"*) ;; *) return 1 ;; esac; }
# The lines of the items table's row NUMBER, up to the next row's.
row_text() {
    awk -v n="$1" '$2 ~ /^C:/ && $1 == n {on = 1} $2 ~ /^C:/ && $1 == n + 1 {exit} on' \
        "$report_dir/$2.txt" | tr -d ' \t\r\n\f'
}
# row_reads NUMBER NAME TEXT...: the row reads every TEXT, in any order across its lines.
row_reads() {
    local row part
    row=$(row_text "$1" "$2")
    shift 2
    for part; do case $row in *"$part"*) ;; *) return 1 ;; esac; done
}

new_prefix
seed_sas91
report_dir=$WINEPREFIX/report
product_dir="$drive_c/Program Files/R&D's Kit"
mkdir -p "$product_dir" "$drive_c/iq" "$report_dir"
must "copy the setup program into $product_dir" cp "$exe" "$product_dir/"

must "install" run_setup /silent /sas=9.1
run_setup /verify /silent
verified_lines=$(cat "$out")
run_setup /verify /silent '/report=C:\iq\pass.html'
check "/verify with a report exits 0" test "$status" = 0
check "and says what /verify says without one" test "$(cat "$out")" = "$verified_lines"
pdf_text pass
check "the report reads its title" reads "Installation Qualification — Morvane macro library"
check "the report reads PASS" reads "Outcome: PASS"
check "the report shows the program folder exactly" grep -qF "$win_folder" <<<"$text"
check "the report reads the program's SHA-256" reads "$(sha256sum <"$exe" | cut -d' ' -f1)"
check "the report reads the version resource" reads "1.0.0.0"
check "the report reads the registry view" reads "32-bit (WOW6432Node)"
# A path wraps after a backslash, and its lines stand beside other columns' lines.
for file in "$product_dir"/saspgm/*.sas; do
    check "the report reads $(basename "$file")" reads "saspgm\\$(basename "$file")"
done
check "the report reads morvane.cfg" row_reads 18 pass morvane.cfg PASS
check "every row reads PASS" test "$(grep -o 'PASS' <<<"$text" | wc -l)" = 22
must "keep the rendered report" timeout 180 chromium --headless --no-sandbox --disable-gpu \
    --user-data-dir="$WINEPREFIX/chromium" --hide-scrollbars --window-size=900,2600 \
    --screenshot="$artefacts/qualification-report.png" "file://$drive_c/iq/pass.html"
cp "$drive_c/iq/pass.html" "$report_dir/pass.pdf" "$artefacts/" 2>/dev/null

must "change a byte of cdisc.sas" dd of="$product_dir/saspgm/cdisc.sas" bs=1 count=1 seek=5 conv=notrunc <<<X
run_setup /verify /silent '/report=C:\iq\fail.html'
check "/verify with a report exits 4 after the damage" test "$status" = 4
pdf_text fail
check "the report reads FAIL with one item" reads "Outcome: FAIL: 1 of 21 items failed"
check "the row of cdisc.sas reads FAIL" row_reads 3 fail 'saspgm\cdisc.sas' 'FAIL(changed)'
check "and no other row does" test "$(grep -o 'FAIL (changed)' <<<"$text" | wc -l)" = 1
cp "$report_dir/fail.pdf" "$artefacts/" 2>/dev/null

end_scenario
finish_checks qualification
