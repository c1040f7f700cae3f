#!/usr/bin/env bash
# Installs the Debian packages that are missing for building, testing and running.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    libsqlite3-dev libpq-dev libshp-dev
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev
    postgresql postgresql-client
    clang libclang-rt-14-dev
    xvfb xdotool x11-apps imagemagick
    openbox x11-utils fonts-dejavu-core sqlite3
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
