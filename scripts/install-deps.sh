#!/usr/bin/env bash
# Installs the Debian packages that building and testing Orvanta need.
# Idempotent: does nothing when everything is there, and refreshes the
# package lists only when something has to be installed.
set -euo pipefail

packages=(
    cmake ninja-build g++ make pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    nlohmann-json3-dev libeigen3-dev libboost-math-dev
    clang libclang-rt-14-dev
    qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-multimedia-dev qt6-svg-dev libgl-dev
    qt6-translations-l10n libqcustomplot-dev
    xvfb xauth libgl1-mesa-dri fonts-dejavu-core libxcb1-dev
    dpkg-dev file rpm lintian desktop-file-utils appstream man-db groff-base
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
