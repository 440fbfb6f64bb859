#!/bin/sh
# More than 4 GiB through /dev/stdin: the tool reads a generated stream from
# a pipe and writes to a FIFO, while cmp checks the output byte for byte
# against the expected stream; neither is ever stored. Then the same with a
# small stream, and the peak memory of the two runs must agree within 10%.
#
#   tests/giant/run.sh VERTIGROW GIANT_STREAM [BYTES]
#
# BYTES defaults to 4.5 * 10^9 (4.19 GiB). Prints the sizes, times and peak
# memory; exits 0 when everything holds.
set -u

tool=${1:?usage: run.sh VERTIGROW GIANT_STREAM [BYTES]}
generator=${2:?usage: run.sh VERTIGROW GIANT_STREAM [BYTES]}
bytes=${3:-4500000000}
small_bytes=1000000
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package: time)" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/vertigrow-giant-XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
failed=0

fail() {
  echo "FAIL: $*" >&2
  failed=1
}

# The peak memory of a run in KiB; time puts a line about a failed status
# before its own.
peak_kib() {
  tail -n 1 "$work/$1.rss" | cut -d' ' -f1
}

# run_stream NAME BYTES: one run of the tool over BYTES of generated input,
# compared on the fly with the expected output. Leaves NAME.rss behind.
run_stream() {
  name=$1
  size=$2
  out=$work/$name.out
  expected=$work/$name.expected
  mkfifo "$out" "$expected"

  "$generator" expected "$size" >"$expected" &
  expected_pid=$!
  # cmp stops at the first difference; cat then drains the FIFO, so that the
  # tool is never left blocked on a full pipe.
  {
    cmp "$expected" - >"$work/$name.cmp" 2>&1
    echo $? >"$work/$name.cmp-status"
    cat >/dev/null
  } <"$out" &
  reader_pid=$!

  start=$(date +%s)
  "$generator" input "$size" |
    /usr/bin/time -f '%M %e' -o "$work/$name.rss" \
      "$tool" 2 25d-2 -8e0 /dev/stdin "$out" >"$work/$name.stdout" 2>"$work/$name.stderr"
  status=$?
  # Should the tool have ended without opening the FIFO, this lets the
  # reader see its end.
  : 3<>"$out"
  wait "$reader_pid"
  wait "$expected_pid" 2>/dev/null
  seconds=$(($(date +%s) - start))

  [ "$status" -eq 0 ] || fail "$name: exit status $status"
  printf 'Vertigrow Version 2.0 by Quillfen\r\n' | cmp -s - "$work/$name.stdout" ||
    fail "$name: standard output is not the banner alone: $(head -c 300 "$work/$name.stdout")"
  [ -s "$work/$name.stderr" ] && fail "$name: standard error: $(head -c 300 "$work/$name.stderr")"
  [ "$(cat "$work/$name.cmp-status")" = 0 ] || fail "$name: output differs: $(cat "$work/$name.cmp")"
  echo "$name: $size bytes in ${seconds}s, peak memory $(peak_kib "$name") KiB"
}

run_stream small "$small_bytes"
run_stream giant "$bytes"

small_rss=$(peak_kib small)
giant_rss=$(peak_kib giant)
# Within 10% of each other, in whole KiB: 10 * |a - b| <= b.
difference=$((giant_rss > small_rss ? giant_rss - small_rss : small_rss - giant_rss))
[ $((10 * difference)) -le "$small_rss" ] ||
  fail "peak memory grew with the input: $small_rss KiB for $small_bytes bytes, $giant_rss KiB for $bytes"

[ "$failed" -eq 0 ] && echo "giant stream: passed"
exit "$failed"
