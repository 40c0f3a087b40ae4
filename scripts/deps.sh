#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian 12 machine (run as root).
set -euo pipefail
packages=(cmake g++ make clang libclang-rt-14-dev qt6-base-dev libgl-dev googletest libgtest-dev
          libgmock-dev libbenchmark-dev fonts-liberation fonts-dejavu-core xvfb xauth
          libi2c-dev
          i2c-tools)  # i2c-tools: the tests' peer for the byte order of SMBus words
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi
