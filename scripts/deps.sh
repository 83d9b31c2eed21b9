#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when one is missing.
set -euo pipefail
PACKAGES=(build-essential cmake ninja-build ccache pkg-config libwxgtk3.2-dev
          libcurl4-openssl-dev libgtest-dev libgmock-dev libbenchmark-dev
          xvfb xauth openbox python3-pyftpdlib iproute2 fonts-noto-cjk locales
          clang libclang-rt-14-dev)
missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    SUDO=""
    [[ $(id -u) -ne 0 ]] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
