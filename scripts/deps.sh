#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screenshots need, when missing.
set -euo pipefail

PACKAGES=(cmake g++ ninja-build pkg-config clang libclang-rt-14-dev
    qtbase5-dev qtbase5-dev-tools qttranslations5-l10n libcurl4-openssl-dev zlib1g-dev
    fonts-font-awesome fonts-noto-cjk fonts-material-design-icons-iconfont python3-fonttools
    xvfb xauth xdotool imagemagick)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
