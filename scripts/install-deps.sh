#!/usr/bin/env bash
# Installs every Debian package needed to build, test and demo the uninstaller.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qtbase5-dev qttools5-dev qttools5-dev-tools libqt5svg5 qt5-image-formats-plugins
    xvfb xauth xdotool x11-utils x11-xserver-utils xcompmgr imagemagick
    xclip
    fonts-dejavu-core fonts-wqy-microhei
    librsvg2-bin icoutils
    clang libclang-rt-14-dev llvm-14
    locales
    mingw-w64 wine wine64 wine32:i386
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

export DEBIAN_FRONTEND=noninteractive
# The Win32 platform code is cross-compiled and run under Wine (tests/wine), whose
# 32-bit half comes from the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${packages[@]}"

# The English and Chinese runs of the demo and the tests use these locales.
for locale in en_US.UTF-8 zh_CN.UTF-8; do
    if ! locale -a 2>/dev/null | grep -qix "${locale/UTF-8/utf8}"; then
        "${sudo_cmd[@]}" sed -i "s/^# *\(${locale} UTF-8\)/\1/" /etc/locale.gen
        grep -q "^${locale} UTF-8" /etc/locale.gen || echo "${locale} UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
        "${sudo_cmd[@]}" locale-gen
    fi
done
