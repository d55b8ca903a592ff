#!/usr/bin/env bash
# Starts and closes the desktop program many times on a virtual display and
# checks that every run ends cleanly: exit status 0 and the settings written.
# Each run gets a fresh profile (home, configuration and documents folders of
# its own) and the brand file "0" in its working folder, waits, then presses
# Esc until the program has closed (the first Esc may close the panel list
# that a program without panels opens at start). A run that ends any other
# way keeps its output, and its core file's backtrace when the system writes
# one into the working folder.
#
#   bash scripts/exit-check.sh [options]
#     --runs N          number of runs (default 20)
#     --delay S         seconds from the start to the first Esc (default 3;
#                       "random" picks 0.2 to 4 s per run)
#     --build DIR       build folder holding bin/OrvakFileManager (default build)
#     --panels          a profile whose panel list holds two simulated panels
#                       on 127.0.0.1 and 127.0.0.2, the first one preselected
#     --keep DIR        where failed runs are kept (default: below the temporary
#                       folder the check works in, removed when all runs pass)
#
# Exit status: 0 when every run ended cleanly, 1 otherwise. Needs Xvfb and
# xdotool (scripts/install-deps.sh installs both).
set -euo pipefail
cd "$(dirname "$0")/.."
repo="$(pwd)"

runs=20
delay=3
build="build"
panels=0
keep=""
while [ $# -gt 0 ]; do
    case "$1" in
    --runs) runs="$2"; shift 2 ;;
    --delay) delay="$2"; shift 2 ;;
    --build) build="$2"; shift 2 ;;
    --panels) panels=1; shift ;;
    --keep) keep="$2"; shift 2 ;;
    *) echo "Unknown option: $1" >&2; exit 2 ;;
    esac
done
case "$build" in /*) ;; *) build="$repo/$build" ;; esac
program="$build/bin/OrvakFileManager"
[ -x "$program" ] || { echo "No program at $program (build the OrvakFileManager target)" >&2; exit 2; }
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (bash scripts/install-deps.sh)" >&2; exit 2; }
done

work="$(mktemp -d /tmp/orvak-exit-check-XXXXXX)"
keep="${keep:-$work/failed}"
mkdir -p "$keep"

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
}
trap cleanup EXIT

# A display of our own: Xvfb picks a free number and writes it to the file.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=("$!")
display=""
for _ in $(seq 100); do
    [ -s "$work/display" ] && display=":$(head -n 1 "$work/display")" && break
    sleep 0.1
done
[ -n "$display" ] || { echo "Could not start Xvfb" >&2; exit 2; }

# Simulated panels on loopback only, for --panels.
port1=""
port2=""
panel_port=""
start_panel() {
    local address="$1" card="$2"; shift 2
    panel_port=""
    "$build/bin/orvak-panelsim" --address "$address" --port 0 --no-tftp --demo-card "$card" "$@" \
        >"$card.port" 2>>"$work/panels.log" &
    pids+=("$!")
    for _ in $(seq 100); do
        [ -s "$card.port" ] && break
        sleep 0.05
    done
    panel_port="$(sed -n 's/.*port=\([0-9]*\).*/\1/p' "$card.port")"
}
if [ "$panels" = 1 ]; then
    [ -x "$build/bin/orvak-panelsim" ] || { echo "No orvak-panelsim in $build/bin" >&2; exit 2; }
    start_panel 127.0.0.1 "$work/card1"
    port1="$panel_port"
    start_panel 127.0.0.2 "$work/card2" --type 161
    port2="$panel_port"
    [ -n "$port1" ] && [ -n "$port2" ] || { echo "Could not start the simulated panels" >&2; exit 2; }
fi

# Brand 0 keeps its data and settings under the maker name "Pexalon".
make_profile() {
    local run="$1"
    rm -rf "$run"
    mkdir -p "$run/home/Documents" "$run/home/.config" "$run/cwd" "$run/runtime"
    chmod 700 "$run/runtime"
    printf '0' >"$run/cwd/version.txt"
    if [ -n "$port1" ]; then
        local data="$run/home/Documents/Pexalon/Ilvane Remote File Manager"
        mkdir -p "$data" "$run/home/.config/Pexalon"
        printf '%s|127.0.0.1|%s|\r\r\n%s|127.0.0.2|%s|\r\r\n' \
            "File-command panel" "$port1" "Card-command panel" "$port2" >"$data/PanelsList.INI"
        printf '[PanelDetails]\nPanelName=File-command panel\nPanelIp%%20Address%%20BYTE%%200=127\nPanelIp%%20Address%%20BYTE%%201=0\nPanelIp%%20Address%%20BYTE%%202=0\nPanelIp%%20Address%%20BYTE%%203=1\nPortNumber=%s\n' \
            "$port1" >"$run/home/.config/Pexalon/Ilvane Remote File Manager.conf"
    fi
}

# A sanitizer build aborts on its findings, as in the test run (leaks are not
# counted there either); options already set are kept.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

ulimit -c unlimited 2>/dev/null || true
failed=0
for n in $(seq "$runs"); do
    run="$work/run"
    make_profile "$run"
    wait_s="$delay"
    [ "$delay" = random ] && wait_s="$(awk -v s="$RANDOM" 'BEGIN { srand(s); printf "%.2f", 0.2 + rand() * 3.8 }')"
    (
        cd "$run/cwd"
        exec env DISPLAY="$display" HOME="$run/home" XDG_CONFIG_HOME="$run/home/.config" \
            XDG_DATA_HOME="$run/home/.local/share" XDG_CACHE_HOME="$run/home/.cache" \
            XDG_RUNTIME_DIR="$run/runtime" "$program" >"$run/output.log" 2>&1
    ) &
    pid=$!
    sleep "$wait_s"
    presses=0
    while kill -0 "$pid" 2>/dev/null && [ "$presses" -lt 4 ]; do
        DISPLAY="$display" xdotool key Escape
        presses=$((presses + 1))
        for _ in $(seq 30); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
    done
    status=""
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" || true
        status="still running after $presses Esc"
    else
        code=0
        wait "$pid" || code=$?
        [ "$code" = 0 ] || status="status $code"
        settings="$run/home/.config/Pexalon/Ilvane Remote File Manager.conf"
        [ -n "$status" ] || grep -q '^Version=' "$settings" 2>/dev/null || status="settings not saved"
    fi
    if [ -z "$status" ]; then
        echo "run $n: ok (Esc after ${wait_s} s, $presses Esc)"
        continue
    fi
    failed=$((failed + 1))
    echo "run $n: FAILED, $status (Esc after ${wait_s} s, $presses Esc)"
    mkdir -p "$keep/run-$n"
    cp "$run/output.log" "$keep/run-$n/" 2>/dev/null || true
    for core in "$run"/cwd/core*; do
        [ -e "$core" ] || continue
        cp "$core" "$keep/run-$n/"
        command -v gdb >/dev/null &&
            gdb -batch -ex "thread apply all bt 30" "$program" "$core" >"$keep/run-$n/backtrace.txt" 2>&1 || true
    done
    echo "  kept in $keep/run-$n"
done

echo "$runs runs, $((runs - failed)) clean, $failed failed"
rm -rf "$work/run"
if [ "$failed" = 0 ]; then
    cleanup
    rm -rf "$work"
    exit 0
fi
exit 1
