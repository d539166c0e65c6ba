#!/usr/bin/env bash
# Builds the library and its tool, then runs the demo on built-in sample data (output: demo-out/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"
build/release/tools/drivesys demo "$@"
