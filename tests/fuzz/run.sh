#!/bin/sh
# Runs every fuzz target for FUZZ_SECONDS seconds (default 60), one after the
# other, each from its seed corpus in tests/fuzz/corpus/<target>. New inputs
# go to <build>/fuzz-corpus/<target>, never into the source tree; a finding
# is written to <build>/fuzz-findings/ and ends the script with status 1.
#
#   tests/fuzz/run.sh [build folder, default build-fuzz] [target...]
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build-fuzz}
[ $# -gt 0 ] && shift
seconds=${FUZZ_SECONDS:-60}
targets=${*:-decimal_to_double fixed6 read_point scale_factor scaling_pass}

# The longest input worth trying for each target: a point piece is at most
# 255 bytes, a double is 8 (and one byte to steer its exponent), and the
# pass needs room for a few 4096-byte blocks to reach a CR at a block end.
options_for() {
  case $1 in
    decimal_to_double) echo "-max_len=1200" ;;
    fixed6) echo "-max_len=9" ;;
    read_point) echo "-max_len=300 -dict=$here/numbers.dict" ;;
    scale_factor) echo "-max_len=400 -dict=$here/numbers.dict" ;;
    scaling_pass) echo "-max_len=12000 -dict=$here/scaling_pass.dict" ;;
    *) echo "unknown fuzz target $1" >&2; exit 2 ;;
  esac
}

findings=$build/fuzz-findings
mkdir -p "$findings"
status=0
for target in $targets; do
  binary=$build/tests/fuzz/fuzz_$target
  corpus=$build/fuzz-corpus/$target
  mkdir -p "$corpus"
  echo "=== fuzz_$target for ${seconds}s"
  # shellcheck disable=SC2046
  if ! "$binary" $(options_for "$target") -max_total_time="$seconds" -timeout=20 \
      -print_final_stats=1 -artifact_prefix="$findings/$target-" \
      "$corpus" "$here/corpus/$target" 2>"$build/fuzz-$target.log"; then
    echo "*** fuzz_$target found a problem; its log: $build/fuzz-$target.log" >&2
    grep -A6 -E '^\*\*\*|ERROR|SUMMARY' "$build/fuzz-$target.log" >&2 || true
    status=1
  fi
  grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$build/fuzz-$target.log" || true
  tail -n 1 "$build/fuzz-$target.log" | grep -v '^stat::' || true
done
exit $status
