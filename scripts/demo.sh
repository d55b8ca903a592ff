#!/usr/bin/env bash
# Builds the project and shows it working against a simulated panel: the panel
# simulator serves a demo SD card on loopback, and the command-line tool reads
# the panel's identity and lists its card.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"

demo_root="${ORVAK_DEMO_DIR:-$HOME/.orvak-demo}"
mkdir -p "$demo_root"
portfile="$(mktemp)"
build/bin/orvak-panelsim --port 0 --no-tftp --demo-card "$demo_root/card" >"$portfile" &
sim_pid=$!
trap 'kill $sim_pid 2>/dev/null; rm -f "$portfile"' EXIT
for _ in $(seq 100); do [ -s "$portfile" ] && break; sleep 0.05; done
port="$(sed -n 's/.*port=\([0-9]*\).*/\1/p' "$portfile")"

echo "== Simulated panel on 127.0.0.1:$port serving $demo_root/card"
build/bin/orvak-cli "127.0.0.1:$port" info
echo "== Files on the panel's card"
build/bin/orvak-cli "127.0.0.1:$port" ls
