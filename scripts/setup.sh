#!/usr/bin/env bash
# Installs what QUILL needs to build, run and test on Debian 12 (run as root),
# and any further packages named as arguments (the packaging tools, say).
# Packages that are already installed are left alone.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgl-dev
    googletest libgtest-dev libbenchmark-dev
    fonts-ipafont-gothic
    xvfb xdotool
    # The input method test: IBus with Anthy on a session bus of its own.
    ibus ibus-anthy dbus dbus-x11 x11-utils
    qt6-translations-l10n
    poppler-utils
)
# The fuzz targets are built with clang and its libFuzzer runtime.
packages+=(clang libclang-rt-14-dev)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
