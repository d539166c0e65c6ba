#!/usr/bin/env bash
# Builds and runs every test: the release build, the AddressSanitizer + UndefinedBehaviorSanitizer
# build, and the ThreadSanitizer build of the concurrency tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

step() { printf '\n== %s ==\n' "$*"; }

step "release build"
cmake --preset release >/dev/null
cmake --build --preset release -j"$jobs"
step "release tests"
ctest --preset release -j"$jobs"

step "example host against the installed package"
bash scripts/host_app.sh

step "sanitizer build (address, undefined)"
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
step "sanitizer tests"
ctest --preset asan -j"$jobs"

step "thread sanitizer build (concurrency tests)"
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j"$jobs" --target test_foundation_concurrency
step "thread sanitizer tests"
ctest --preset tsan
