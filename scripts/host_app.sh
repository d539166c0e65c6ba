#!/usr/bin/env bash
# Installs the release build into a prefix and builds and runs the example host against it.
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=$(pwd)/build/install
cmake --install build/release --prefix "$prefix" >/dev/null
cmake -S examples/host_app -B build/host_app -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build build/host_app
LD_LIBRARY_PATH="$prefix/lib:${LD_LIBRARY_PATH:-}" build/host_app/host_app
