# Shared by the scripts that run the setup program in a throwaway Wine prefix under
# Xvfb. Source it; it defines the helpers below and cleans up on exit.
set -u
# Wine derives a file's security from its mode bits: files and folders made by the scripts
# and the program are then writable by their owner alone, as on a managed machine.
umask 022
wine_session_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
xvfb_pid=""
# Every program, 32- or 64-bit, runs with the Wine loader of its own width.
export PATH="$wine_session_dir/bin:$PATH"

# Test checks: each says ok or FAILED; finish_checks gives the script's exit code.
failures=0
check() {
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
finish_checks() {
    local name
    for name in ${skipped_scenarios:-}; do echo "skipped scenario: $name (asked by MORVANE_SKIP_SCENARIOS)"; done
    [ "$failures" -eq 0 ] && echo "$1: all checks passed" || echo "$1: $failures checks failed"
    return $((failures > 0))
}
# A step a scenario relies on, quietly: a failed one is named and fails the script, so that
# no later check can pass for want of its setup. `must WHAT COMMAND...`, or after a write
# `... || setup_failed WHAT`.
setup_failed() { echo "FAILED: setup: $1"; failures=$((failures + 1)); return 1; }
must_log=$(mktemp)
must() {
    local what=$1
    shift
    "$@" >"$must_log" 2>&1 || setup_failed "$what (exit status $?) $(tr -d '\r' <"$must_log" | head -c 300)"
}
# Whether the scenario NAME is one MORVANE_SKIP_SCENARIOS (names apart by spaces) leaves
# out; a skipped one is listed at the end, and in the file MORVANE_SKIPPED_FILE names.
skipped() {
    case " ${MORVANE_SKIP_SCENARIOS:-} " in *" $1 "*) ;; *) return 1 ;; esac
    skipped_scenarios="${skipped_scenarios:-} $1"
    if [ -n "${MORVANE_SKIPPED_FILE:-}" ]; then echo "$1" >>"$MORVANE_SKIPPED_FILE"; fi
}
# wait_until TIMEOUT COMMAND...: runs COMMAND every tenth of a second until it succeeds;
# fails if it has not after TIMEOUT (whole) seconds.
wait_until() {
    local deadline=$((${EPOCHREALTIME/[.,]/} + $1 * 1000000))
    shift
    until "$@"; do
        [ "${EPOCHREALTIME/[.,]/}" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# empty FILE: FILE holds nothing; otherwise shows what it holds.
empty() { [ ! -s "$1" ] || { sed 's/^/  | /' "$1"; return 1; }; }

# Stops the scenario's Wine and removes its prefix.
end_scenario() {
    if [ -n "${WINEPREFIX:-}" ] && [ -f "$WINEPREFIX/.throwaway" ]; then
        wineserver -k 2>/dev/null
        local server_dir
        server_dir=$(cat "$WINEPREFIX/wineserver" 2>/dev/null)
        # Immutable files left by a fault scenario would block the removal.
        chattr -R -i "$WINEPREFIX" 2>/dev/null
        rm -rf "$WINEPREFIX"
        if [ -n "$server_dir" ]; then rm -rf "$server_dir"; fi
    fi
    unset WINEPREFIX
}
end_wine_session() {
    end_scenario
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; fi
    rm -f "$must_log"
    return 0
}
# The script's own exit status stands: nothing the cleanup meets (nor `set -e` in the
# script that sources this) may turn a success into a failure or the reverse.
trap 'wine_session_status=$?; end_wine_session || true; exit "$wine_session_status"' EXIT

# A copy of the prepared template prefix, so every scenario starts clean.
new_prefix() {
    local template=${MORVANE_WINEPREFIX:-${TMPDIR:-/tmp}/morvane-wine-tests-$(id -u)}
    must "prepare the Wine prefix $template" "$wine_session_dir/prepare-prefix.sh" "$template" </dev/null || exit 1
    WINEPREFIX=$template wineserver -w
    export WINEPREFIX
    WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/morvane-scenario-XXXXXX")
    # The system DLLs of both widths (over 1 GB) are only ever read: hard links to them
    # make the copy take a fraction of a second. Everything else, the registry files that
    # wineserver rewrites in place above all, is copied.
    local dll_folders=(drive_c/windows/system32 drive_c/windows/syswow64 drive_c/windows/winsxs)
    tar -C "$template" "${dll_folders[@]/#/--exclude=./}" -cf - . | tar -C "$WINEPREFIX" -xpf -
    local folder
    for folder in "${dll_folders[@]}"; do
        if [ -d "$template/$folder" ]; then cp -al "$template/$folder" "$WINEPREFIX/$folder"; fi
    done
    rm -f "$WINEPREFIX/.morvane-lock"
    touch "$WINEPREFIX/.throwaway"
    drive_c=$WINEPREFIX/drive_c
    user_dir=$(ls -d "$drive_c"/users/*/ | grep -v /Public/ | head -1)
    must "copy the template prefix" test -s "$WINEPREFIX/system.reg" -a -d "$drive_c/windows/system32" -a -n "$user_dir"
}

start_display() {
    local number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" 2>/dev/null &
    xvfb_pid=$!
    wait_until 10 grep -q . "$number_file"
    export DISPLAY=":$(head -1 "$number_file")"
    rm -f "$number_file"
    must "start Xvfb on $DISPLAY" wait_until 10 xdotool getdisplaygeometry
}

# Registers SAS 9.1 as its 32-bit installer does, with the stock configuration files
# and a stale catalog in its SASUSER folder.
seed_sas91() {
    local root=$drive_c/SAS/V91
    { mkdir -p "$root/nls/en" "$drive_c/sasuser" &&
        printf 'MZ placeholder' >"$root/sas.exe" &&
        printf -- '-SET SASROOT "C:\\SAS\\V91"\r\n' >"$root/SASV9.CFG" &&
        printf -- '-CONFIG "!SASROOT\\nls\\en\\SASV9.CFG"\r\n' >>"$root/SASV9.CFG" &&
        printf -- '-SET SASAUTOS (\r\n        "!SASROOT\\core\\sasmacro"\r\n        "!SASROOT\\base\\sasmacro"\r\n        )\r\n' >"$root/nls/en/SASV9.CFG" &&
        printf 'stale catalog' >"$drive_c/sasuser/cdisc.sas7bcat"; } || setup_failed "write SAS 9.1's files"
    local key='HKLM\SOFTWARE\SAS Institute Inc.\The SAS System\9.1'
    must "register SAS 9.1's root" wine reg add "$key" /v DefaultRoot /t REG_SZ /d 'C:\SAS\V91' /f /reg:32
    must "register SAS 9.1's SASUSER" wine reg add "$key\\Setup\\Globals" /v szSASUser /t REG_SZ /d 'C:\sasuser' /f /reg:32
    wineserver -w
}

# Registers a SAS release in the SASHome layout of 9.3 and 9.4: the root's SASV9.CFG
# names the language file through -CONFIG, and there is no SASUSER value. VIEW is the
# registry view the installer wrote (64 or 32). Sets sas_root to the root folder.
seed_sashome() {
    local version=$1 view=$2
    local windows_root="C:\\Program Files\\SASHome\\SASFoundation\\$version"
    sas_root="$drive_c/Program Files/SASHome/SASFoundation/$version"
    { mkdir -p "$sas_root/nls/en" &&
        printf 'MZ placeholder' >"$sas_root/sas.exe" &&
        printf -- '-SET SASROOT "%s"\r\n-CONFIG "!SASROOT\\nls\\en\\SASV9.CFG"\r\n' "$windows_root" >"$sas_root/SASV9.CFG" &&
        printf -- '-SET SASAUTOS (\r\n        "!SASROOT\\core\\sasmacro"\r\n        )\r\n' >"$sas_root/nls/en/SASV9.CFG"; } || setup_failed "write SAS $version's files"
    must "register SAS $version" wine reg add "HKLM\\SOFTWARE\\SAS Institute Inc.\\The SAS System\\$version" /v DefaultRoot /t REG_SZ /d "$windows_root" /f "/reg:$view"
    wineserver -w
}
# SAS 9.4 as a 64-bit workstation has it.
seed_sas94() { seed_sashome 9.4 64; }

# Copies the setup program into a product folder; sets product_dir.
install_product() {
    product_dir="$drive_c/Program Files/Morvane Kit"
    mkdir -p "$product_dir"
    must "copy the setup program into $product_dir" cp "$1" "$product_dir/"
}

# A new machine with SAS 9.1 and the setup program in its product folder; sets config to
# the SAS configuration file that the setup updates.
new_sas91_machine() {
    new_prefix
    seed_sas91
    install_product "$1"
    config="$drive_c/SAS/V91/nls/en/SASV9.CFG"
}

# Runs the setup program in the product folder with the given switches and waits for it;
# sets status, and out and err to files holding its standard output and error, with
# Linux line ends. Succeeds when the program does.
run_setup() {
    out=$WINEPREFIX/out.txt err=$WINEPREFIX/err.txt
    (cd "$product_dir" && wine ./Morvane_Post_Installation_setup.exe "$@" >"$out" 2>"$err")
    status=$?
    sed -i 's/\r$//' "$out" "$err"
    return "$status"
}

# Waits for a window by name and gives its id.
wait_window() {
    timeout "${2:-60}" xdotool search --sync --onlyvisible --name "^$1\$" | head -1
}

# Focuses a window and presses a key there, once for a window that "stays", else again
# until the window has closed (waiting up to 2 s each time).
closed() { ! xdotool getwindowname "$1" >/dev/null 2>&1; }
press() {
    for _ in 1 2 3; do
        if xdotool windowfocus --sync "$1" 2>/dev/null && xdotool key "$2"; then
            [ "${3:-}" = "stays" ] && return 0
        fi
        wait_until 2 closed "$1" && return 0
    done
    return 1
}

# Registers SAS 9.2 as its 64-bit installer does: in the 64-bit registry view only, under
# Program Files, with a stale catalog in its SASUSER folder. A 32-bit setup finds it only
# by looking in that view explicitly. Sets config to the file that the setup updates.
new_sas92_64bit_machine() {
    new_prefix
    local root="$drive_c/Program Files/SAS/SASFoundation/9.2"
    { mkdir -p "$root/nls/en" "$drive_c/sasuser92" &&
        printf 'MZ placeholder' >"$root/sas.exe" &&
        printf -- '-CONFIG "!SASROOT\\nls\\en\\SASV9.CFG"\r\n' >"$root/SASV9.CFG" &&
        printf -- '-SET SASAUTOS (\r\n        "!SASROOT\\core\\sasmacro"\r\n        )\r\n' >"$root/nls/en/SASV9.CFG" &&
        printf 'stale catalog' >"$drive_c/sasuser92/cdisc.sas7bcat"; } || setup_failed "write SAS 9.2's files"
    local key='HKLM\SOFTWARE\SAS Institute Inc.\The SAS System\9.2'
    must "register SAS 9.2's root" wine reg add "$key" /v DefaultRoot /t REG_SZ /d 'C:\Program Files\SAS\SASFoundation\9.2' /f /reg:64
    must "register SAS 9.2's SASUSER" wine reg add "$key\\Setup\\Globals" /v szSASUser /t REG_SZ /d 'C:\sasuser92' /f /reg:64
    wineserver -w
    install_product "$1"
    config="$root/nls/en/SASV9.CFG"
}
