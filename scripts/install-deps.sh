#!/usr/bin/env bash
# Installs every Debian package needed to build, test and demo the uninstaller.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qtbase5-dev qttools5-dev qttools5-dev-tools libqt5svg5 qt5-image-formats-plugins
    xvfb xdotool x11-utils imagemagick
    fonts-dejavu-core fonts-wqy-microhei
    librsvg2-bin icoutils
    clang libclang-rt-14-dev
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${packages[@]}"
