#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need, when missing.
# Safe to run again: it does nothing when everything is there.
set -euo pipefail

packages=(build-essential cmake libgtest-dev libgmock-dev libbenchmark-dev assimp-utils python3 clang)
# The sim's PNG encoder (stb_image_write) and the tests' decoder (stb_image), header-only.
packages+=(libstb-dev)
# The Windows x64 build: the mingw-w64 cross compiler (posix threads) and Wine to run it.
packages+=(g++-mingw-w64-x86-64-posix wine64 wine)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
