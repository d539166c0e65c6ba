#!/usr/bin/env bash
# Rewrites the checked lists of exported symbols (abi/) from the release build, after a change to
# the API that is meant. The lists are what `nm -D --defined-only -C` prints, without addresses,
# sorted; review their diff like code.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build --preset release --target drivesys drivesys_platform
for lib in drivesys_platform drivesys; do
  nm -D --defined-only -C "build/release/lib$lib.so" | cut -d " " -f 2- | LC_ALL=C sort > "abi/lib$lib.symbols"
  echo "abi/lib$lib.symbols: $(wc -l < "abi/lib$lib.symbols") symbols"
done
