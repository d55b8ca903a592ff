#!/usr/bin/env bash
# Builds the program and opens it on two simulated panels serving the demo SD
# card: one speaking the file command family (127.0.0.1), one the card command
# family (127.0.0.2). The program runs with a demo profile of its own (home,
# configuration and documents folders below the demo folder) whose panel list
# holds both panels, so the user's own settings are never touched.
#
#   bash scripts/demo.sh            (as root on Debian 12; installs what it needs)
#   ORVAK_DEMO_DIR=/tmp/demo ORVAK_BUILD_DIR=build-demo bash scripts/demo.sh
set -euo pipefail
cd "$(dirname "$0")/.."
repo="$(pwd)"
build="${ORVAK_BUILD_DIR:-build}"
case "$build" in /*) ;; *) build="$repo/$build" ;; esac

bash scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target OrvakFileManager orvak-panelsim

demo_root="${ORVAK_DEMO_DIR:-$HOME/.orvak-demo}"
mkdir -p "$demo_root"
demo_root="$(cd "$demo_root" && pwd)"

sim_pids=()
stop_simulators() {
    for pid in "${sim_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
}
trap stop_simulators EXIT

# Starts a simulator and sets panel_port to its command port. Tries port
# 10001 with TFTP on port 69 first, then without TFTP (port 69 needs root and
# a free port), then any free command port.
panel_port=""
start_panel() {
    local address="$1" card="$2"; shift 2
    local first_line="$demo_root/panel-$address.port"
    local attempt
    for attempt in "--port 10001 --tftp-port 69" "--port 10001 --no-tftp" "--port 0 --no-tftp"; do
        : >"$first_line"
        # shellcheck disable=SC2086
        "$build/bin/orvak-panelsim" --address "$address" $attempt --demo-card "$card" "$@" \
            >"$first_line" 2>>"$demo_root/panels.log" &
        local pid=$!
        for _ in $(seq 100); do
            [ -s "$first_line" ] && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
        if [ -s "$first_line" ]; then
            sim_pids+=("$pid")
            echo "== Simulated panel on $address: $(cat "$first_line")"
            panel_port="$(sed -n 's/.*port=\([0-9]*\).*/\1/p' "$first_line")"
            return 0
        fi
        kill "$pid" 2>/dev/null || true
    done
    echo "Could not start the simulated panel on $address (see $demo_root/panels.log)" >&2
    return 1
}

start_panel 127.0.0.1 "$demo_root/card-file-commands"
port1="$panel_port"
start_panel 127.0.0.2 "$demo_root/card-card-commands" --type 161
port2="$panel_port"

# The demo profile: its own home, configuration and documents folders.
profile="$demo_root/profile"
data_folder="$profile/Documents/Ilvane/Ilvane Remote File Manager"
mkdir -p "$data_folder" "$profile/config" "$profile/Downloads"
printf 'XDG_DOCUMENTS_DIR="%s/Documents"\n' "$profile" >"$profile/config/user-dirs.dirs"
printf '%s|127.0.0.1|%s|\r\r\n%s|127.0.0.2|%s|\r\r\n' \
    "File-command panel" "$port1" "Card-command panel" "$port2" \
    >"$data_folder/PanelsList.INI"
# Fresh settings at every start (the panels' ports may differ from the last
# run); copies land in the demo profile's Downloads folder.
settings="$profile/config/Ilvane/Ilvane Remote File Manager.conf"
mkdir -p "$(dirname "$settings")"
printf '[User%%20Preferences]\nPathToSystemFolder=%s/Downloads\n' "$profile" >"$settings"
echo "== Demo profile in $profile"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat <<EOF

No display found, so the program cannot open its window here. Run the demo
from a desktop session, or under a virtual display:

    xvfb-run -a -s "-screen 0 1280x800x24" bash scripts/demo.sh

EOF
    exit 1
fi

echo "== Starting OrvakFileManager (close its window to end the demo)"
# The X server still needs the user's own authority file once HOME moves.
export XAUTHORITY="${XAUTHORITY:-$HOME/.Xauthority}"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/orvak-runtime-XXXXXX)}"
chmod 700 "$XDG_RUNTIME_DIR"
# The data viewer's Graph View runs Qt WebEngine, which does not start as root
# with its sandbox on.
if [ "$(id -u)" -eq 0 ]; then
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi
(
    cd "$profile"
    HOME="$profile" XDG_CONFIG_HOME="$profile/config" XDG_DATA_HOME="$profile/data" \
        XDG_CACHE_HOME="$profile/cache" "$build/bin/OrvakFileManager"
)
