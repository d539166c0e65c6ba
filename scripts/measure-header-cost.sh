#!/usr/bin/env bash
# What <drivesys/drivesys.h> costs a host, now and at an earlier commit, in one run: the lines the
# umbrella header preprocesses to, and the time and memory g++ takes for the example host's
# main.cpp (best of three, the two trees taking turns so that load affects both alike).
# Usage: scripts/measure-header-cost.sh <earlier commit>   (needs a configured build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
rev=${1:?usage: $0 <earlier commit>}
old=$(mktemp -d)
trap 'git worktree remove --force "$old" >/dev/null 2>&1 || true; rm -rf "$old"' EXIT
git worktree add --detach -q "$old" "$rev"
# The earlier layout: headers from the source root and exports/, Eigen on the path.
old_flags=(-I"$old" -I"$old/exports" -I/usr/include/eigen3)
new_flags=(-Ibuild/release/include -Ibuild/release/generated)
lines() { echo '#include <drivesys/drivesys.h>' | g++ -std=c++20 -E -x c++ "$@" - | wc -l; }
best() {  # best of three compiles of the example host: "seconds kilobytes"
  local dir=$1; shift
  for _ in 1 2 3; do
    /usr/bin/time -f "%e %M" g++ -std=c++20 -c "$dir/examples/host_app/main.cpp" -o /dev/null "$@" 2>&1 | tail -1
  done | sort -n | head -1
}
lo=$(lines "${old_flags[@]}"); ln=$(lines "${new_flags[@]}")
to=$(best "$old" "${old_flags[@]}"); tn=$(best . "${new_flags[@]}")
printf '%-10s %12s %10s %10s\n' tree lines seconds MB
printf '%-10s %12s %10s %10s\n' "$rev" "$lo" "${to% *}" "$(( ${to#* } / 1024 ))"
printf '%-10s %12s %10s %10s\n' now "$ln" "${tn% *}" "$(( ${tn#* } / 1024 ))"
awk -v a="$lo" -v b="$ln" -v c="${to% *}" -v d="${tn% *}" 'BEGIN { printf "ratio: lines %.2f, compile time %.2f\n", b / a, d / c }'
