#!/usr/bin/env bash
# Builds and runs every test: the release build (g++) with its tests and the example host; the
# clang AddressSanitizer + UndefinedBehaviorSanitizer build, which runs the same tests and holds
# the libFuzzer harnesses; the ThreadSanitizer build of the concurrency tests; and every harness
# for a bounded time on top of its regression corpus (FUZZ_SECONDS per harness, default 25;
# FUZZ_SECONDS=0 skips fuzzing). One sanitizer build serves both the tests and the fuzzing.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)
start=$SECONDS

step() { printf '\n== %s (%d s so far) ==\n' "$*" $((SECONDS - start)); }

step "release build"
cmake --preset release >/dev/null
cmake --build --preset release -j"$jobs"
step "release tests"
ctest --preset release -j"$jobs"

step "example host against the installed package"
bash scripts/host_app.sh

step "sanitizer build (clang; address, undefined; tests and fuzz harnesses)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$jobs"
step "sanitizer tests"
ctest --preset fuzz -j"$jobs"

step "thread sanitizer build (concurrency tests)"
cmake --preset tsan >/dev/null
# Every test_<folder>_concurrency program (the tests whose file names contain "concurrency").
mapfile -t tsan_targets < <(ninja -C build/tsan -t targets all | grep -o '^test_[a-z_]*_concurrency' | sort -u)
cmake --build --preset tsan -j"$jobs" --target "${tsan_targets[@]}"
step "thread sanitizer tests"
ctest --preset tsan

if [ "${FUZZ_SECONDS:-25}" != "0" ]; then
  step "fuzzing"
  FUZZ_SECONDS=${FUZZ_SECONDS:-25} bash scripts/fuzz.sh
fi
step "done"
