#!/usr/bin/env bash
# Builds the libFuzzer harnesses (clang 14, ASan+UBSan) and runs each for a bounded time on top
# of its regression corpus in fuzz/corpus/<name>/ (copied, so the tree stays unchanged).
# FUZZ_SECONDS sets the time per harness (default 30); FUZZ_JOBS harnesses run at once (default:
# one per core). Each harness's line in the log gives its
# runs, execs/s and the coverage it reached (edges and features). A crash leaves its input in
# fuzz-artifacts/; turn it into a unit test before fixing it. FUZZ_MERGE=1 folds what the run
# found back into fuzz/corpus/<name>/ with libFuzzer's -merge=1 (only inputs that add coverage are
# kept), to be committed as the new regression corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# One harness: its line of the summary goes to $work/<name>.result, its exit status to .status.
run_one() {
  local bin=$1 name
  name=$(basename "$bin"); name=${name#fuzz_}
  mkdir -p "$work/$name"
  if [ -d "fuzz/corpus/$name" ]; then cp -r "fuzz/corpus/$name/." "$work/$name/"; fi
  if "$bin" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
       -artifact_prefix="$work/crash-$name-" "$work/$name" >"$work/$name.log" 2>&1; then
    local runs speed cov
    runs=$(grep -m1 'stat::number_of_executed_units' "$work/$name.log" | awk '{print $2}' || true)
    speed=$(grep -m1 'stat::average_exec_per_sec' "$work/$name.log" | awk '{print $2}' || true)
    # The last status line holds the coverage reached: "cov:" edges and "ft:" features.
    cov=$(grep -E '^#[0-9]+.*cov: ' "$work/$name.log" | tail -1 | sed -E 's/.*cov: ([0-9]+) ft: ([0-9]+).*/\1 edges, \2 features/' || true)
    echo "fuzz $name: ${runs:-?} runs in ${seconds}s (${speed:-?} execs/s), coverage ${cov:-?}, no crash" >"$work/$name.result"
    if [ "${FUZZ_MERGE:-0}" = "1" ]; then
      mkdir -p "fuzz/corpus/$name"
      "$bin" -merge=1 -rss_limit_mb=2048 -timeout=10 "fuzz/corpus/$name" "$work/$name" >"$work/$name.merge.log" 2>&1 \
        && echo "fuzz $name: corpus now $(ls "fuzz/corpus/$name" | wc -l) files" >>"$work/$name.result"
    fi
    echo 0 >"$work/$name.status"
  else
    { echo "fuzz $name: FAILED"; grep -m3 -E "^(==[0-9]+==ERROR|SUMMARY|.*runtime error)" "$work/$name.log" || true; tail -40 "$work/$name.log" | cut -c1-300; } >"$work/$name.result"
    echo 1 >"$work/$name.status"
  fi
}

# The harnesses run side by side, one per core (FUZZ_JOBS), each for its own time.
jobs=${FUZZ_JOBS:-$(nproc)}
names=()
for bin in build/fuzz/fuzz/fuzz_*; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  run_one "$bin" &
  name=$(basename "$bin"); names+=("${name#fuzz_}")
done
wait
status=0
passed=0
failed=0
for name in "${names[@]}"; do
  cat "$work/$name.result"
  if [ "$(cat "$work/$name.status" 2>/dev/null || echo 1)" = "0" ]; then
    passed=$((passed + 1))
  else
    status=1
    failed=$((failed + 1))
    ls "$work"/crash-"$name"-* 2>/dev/null && mkdir -p fuzz-artifacts && cp "$work"/crash-"$name"-* fuzz-artifacts/ || true
    # The failing input in base64 as well, so that a log alone (a CI run's) is enough to reproduce it.
    for f in "$work"/crash-"$name"-*; do
      [ -f "$f" ] && { echo "input of $(basename "$f") in base64:"; head -c 65536 "$f" | base64 -w 120; }
    done
  fi
done
echo "fuzz: $passed passed, $failed failed"
exit $status
