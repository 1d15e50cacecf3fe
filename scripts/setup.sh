#!/usr/bin/env bash
# Installs what building, running and testing Kestrel needs on Debian 12. Safe to run again.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6serialport6-dev libqt6svg6-dev qt6-qpa-plugins
    libgtest-dev libgmock-dev googletest
    clang libclang-rt-14-dev
    fonts-liberation fontconfig
    xvfb xauth x11-utils socat
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
