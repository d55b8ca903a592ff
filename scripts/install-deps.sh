#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need on Debian 12 (run as root).
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev
    qt6-webengine-dev qt6-webchannel-dev libqt6webenginecore6-bin
    xvfb xauth imagemagick x11-utils xdotool
    tftpd-hpa tftp-hpa curl ccache
    clang libclang-rt-14-dev clang-format
    desktop-file-utils appstream help2man dpkg-dev librsvg2-bin gzip
    poppler-utils gcovr
)
# The build installs the chart library from npm; Debian's node and npm do,
# unless a newer npm is already there.
if ! command -v npm >/dev/null 2>&1; then
    packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # The tftpd-hpa package starts a system service on port 69; the tests only
    # run in.tftpd by hand on loopback, so keep the service from starting.
    if printf '%s\n' "${missing[@]}" | grep -qx tftpd-hpa; then
        printf '#!/bin/sh\nexit 101\n' > /usr/sbin/policy-rc.d
        chmod +x /usr/sbin/policy-rc.d
        trap 'rm -f /usr/sbin/policy-rc.d' EXIT
    fi
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
