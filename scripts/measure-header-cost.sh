#!/usr/bin/env bash
# What <drivesys/drivesys.h> costs a host, now and at an earlier commit, in one run: the lines the
# umbrella header preprocesses to, and the time and memory g++ takes for the example host's
# main.cpp (best of three, the two trees taking turns so that load affects both alike). The floor
# row is what no layout of ours can go below: the lines of nlohmann/json_fwd.hpp, which the
# records' API names, and the compile of the host's own includes (the full JSON header, iostream)
# without ours.
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
lf=$(echo '#include <nlohmann/json_fwd.hpp>' | g++ -std=c++20 -E -x c++ - | wc -l)
mkdir -p "$old/floor/examples/host_app"
{ grep '^#include <' examples/host_app/main.cpp | grep -v drivesys; echo 'int main() { return 0; }'; } \
    > "$old/floor/examples/host_app/main.cpp"
to=$(best "$old" "${old_flags[@]}"); tn=$(best . "${new_flags[@]}"); tf=$(best "$old/floor")
printf '%-10s %12s %10s %10s\n' tree lines seconds MB
printf '%-10s %12s %10s %10s\n' "$rev" "$lo" "${to% *}" "$(( ${to#* } / 1024 ))"
printf '%-10s %12s %10s %10s\n' now "$ln" "${tn% *}" "$(( ${tn#* } / 1024 ))"
printf '%-10s %12s %10s %10s\n' floor "$lf" "${tf% *}" "$(( ${tf#* } / 1024 ))"
awk -v a="$lo" -v b="$ln" -v c="${to% *}" -v d="${tn% *}" -v e="$lf" -v f="${tf% *}" 'BEGIN {
  printf "ratio now: lines %.2f, compile time %.2f\n", b / a, d / c
  printf "ratio floor: lines %.2f, compile time %.2f\n", e / a, f / c }'
