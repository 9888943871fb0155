#!/usr/bin/env bash
# Installs, from Debian 12's packages, whatever building Curvalo needs and is not there yet.
#   scripts/install-deps.sh run    what building and starting the program needs
#   scripts/install-deps.sh test   that, plus what the whole test suite needs
set -euo pipefail

purpose=${1:-run}

packages=(
    build-essential cmake pkg-config
    qtbase5-dev qtbase5-dev-tools libqt5xml5
    fonts-dejavu-core
    # a virtual display and a screenshot tool for machines without a desktop
    xvfb xdotool imagemagick
)
if [ "$purpose" = test ]; then
    packages+=(
        binutils      # readelf, to check the program's library search path
        clang libclang-rt-14-dev  # the fuzz target of the measurement file reader
        clang-format
    )
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "These packages are missing and this user cannot install them: ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
