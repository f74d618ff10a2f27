#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, where they are missing.
set -eu
packages=(g++ cmake ninja-build googletest libgtest-dev libbenchmark-dev clang-format
          g++-mingw-w64-x86-64-posix wine wine64 fonts-wine xvfb xdotool imagemagick
          liblnk-utils binutils-mingw-w64-x86-64 clang libclang-rt-14-dev)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
