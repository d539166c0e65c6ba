#!/usr/bin/env bash
# Builds the command-line tool (and the library it needs, nothing else), then runs the demo on
# built-in sample data (output: demo-out/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target drivesys_cli -j"$(nproc)"
build/release/tools/drivesys demo "$@"
