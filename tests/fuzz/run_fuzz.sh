#!/usr/bin/env bash
# Runs every fuzz target of build-fuzz for a bounded number of inputs (RUNS, 20000 by default),
# starting from its seeds in tests/fuzz/<target>/; new inputs found go to build-fuzz/corpus and
# failing inputs to build-fuzz/found/<target>/. Prints the inputs run and the time per target;
# the exit status is non-zero when any target failed.
set -uo pipefail
cd "$(dirname "$0")/../.."
runs=${RUNS:-20000}
status=0
for target in image parameter calibration settings formula; do
  corpus=build-fuzz/corpus/$target
  found=build-fuzz/found/$target
  mkdir -p "$corpus" "$found"
  max_len=4096
  [ "$target" = image ] && max_len=9000
  start=$(date +%s.%N)
  build-fuzz/tests/fuzz/${target}_fuzz -runs="$runs" -max_len=$max_len -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="$found/" -print_final_stats=1 \
    "$corpus" "tests/fuzz/$target" >"build-fuzz/$target.log" 2>&1
  rc=$?
  end=$(date +%s.%N)
  done_runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "build-fuzz/$target.log" | grep -o '[0-9]*$')
  printf '%-12s %6s inputs  %6.1f s  %s\n' "$target" "${done_runs:-?}" "$(awk "BEGIN{print $end - $start}")" \
    "$([ $rc = 0 ] && echo ok || echo "FAILED (see build-fuzz/$target.log, $found)")"
  [ $rc = 0 ] || status=1
done
exit $status
