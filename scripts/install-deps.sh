#!/usr/bin/env bash
# Installs the Debian packages drivesys builds and tests with, when they are missing.
set -euo pipefail
pkgs=(build-essential cmake ninja-build nlohmann-json3-dev libfmt-dev libeigen3-dev libspectra-dev libsuitesparse-dev libcli11-dev
      googletest libgtest-dev libgmock-dev libbenchmark-dev python3 python3-jsonschema libexpat1-dev clang-14 libclang-rt-14-dev ccache
      pkg-config chromium)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
