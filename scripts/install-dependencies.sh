#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, where they are missing.
# The shipped program is 32-bit: its cross compiler, and Wine's 32-bit support from the
# i386 architecture, come with the rest.
set -eu
packages=(g++ cmake ninja-build googletest libgtest-dev libbenchmark-dev clang-format
          g++-mingw-w64-i686-posix binutils-mingw-w64-i686
          g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine64 wine32:i386 fonts-wine xvfb xdotool imagemagick
          liblnk-utils clang libclang-rt-14-dev libssl-dev chromium poppler-utils)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -qq || true
    if ! apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
        # A mirror whose i386 security index lags leaves libraries that the 32-bit Wine needs
        # in both architectures at different versions. The point release has them at one
        # version: prefer it over the security archive for this install only.
        pin=/etc/apt/preferences.d/morvane-point-release
        printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' >"$pin"
        trap 'rm -f "$pin"' EXIT
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
fi
