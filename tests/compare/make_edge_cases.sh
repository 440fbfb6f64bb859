#!/usr/bin/env bash
# Writes the edge-case inputs of the Linux-vs-Windows comparison into DIR.
#
# Each file holds one kind of trouble. A file whose point array is meant to
# stop the tool holds only that one unreadable line, since nothing after it
# is ever read. printf writes the bytes: \r is CR, \000 NUL, \032 Ctrl-Z.
set -euo pipefail

if [[ $# -ne 1 ]]; then
  echo "usage: $0 DIR" >&2
  exit 2
fi
dir=$1
mkdir -p "$dir"

# repeat TEXT COUNT: TEXT COUNT times, no line end.
repeat() {
  local i out=""
  for ((i = 0; i < $2; i++)); do out+=$1; done
  printf '%s' "$out"
}

# --- Line ends: CR LF, LF, lone CR, CR CR LF, a CR as the last byte.
printf 'crlf head\r\nlf head\nlone\rcr\nPOINTS{\r\n1,2,3\r\n4,5,6\n7,8,9\r10,11,12\n-1,-2,-3\r\r\n}\r\nafter\r\rend\r' \
  >"$dir/line_ends.txt"

# --- Ctrl-Z ends the input: after the array (the rest, though unreadable,
# is never seen), and inside a point line (the line is cut there).
printf 'POINTS{\n1,2,3\n}\ntail\032 never read\nPOINTS{\nnot a point\n' >"$dir/ctrl_z_after.txt"
printf 'POINTS{\n1,2,3\n4,5\032,6\n}\n' >"$dir/ctrl_z_inside.txt"

# --- NUL bytes: copied outside the arrays, ignored after the third number,
# and shown whole in the message when they break a point line.
printf 'a\000b\n\000\nPOINTS{\n1,2,3\000junk\n}\n\000tail' >"$dir/nul_kept.txt"
printf 'POINTS{\n1,\0002,3\n}\n' >"$dir/nul_breaks.txt"

# --- Long lines: outside an array a long line is copied in 255-byte pieces;
# a point line of exactly 255 bytes with its LF (or 256 with CR LF) is one
# piece; a rewritten line far longer than 255 bytes is written whole.
{
  repeat 'abcdefghij' 60
  printf '\n'
  repeat 'x' 255
  printf '\n'
  repeat 'y' 254
  printf '\nPOINTS{\n1,2,3'
  repeat ' ' 249
  printf '\n4,5,6'
  repeat ' ' 249
  printf '\r\n1e300,-1e300,1e300\n1.7976931348623157e308,2.2250738585072014e-308,-4.9e-324\n}\n'
} >"$dir/long_lines.txt"
# One byte more: the LF becomes a piece of its own, and no point line.
{
  printf 'POINTS{\n1,2,3'
  repeat ' ' 250
  printf '\n}\n'
} >"$dir/long_point_line.txt"

# --- Numbers, grouped by the rounding trouble they make.
{
  printf 'POINTS{\n'
  # Ties of the conversion: exactly halfway between two doubles.
  printf '9007199254740993,1.00000000000000011102230246251565404236316680908203125,-9007199254740993\n'
  # Ties and carries of the six-decimal rounding.
  printf '0.0000005,0.0000015,0.0000025\n'
  printf '999999.9999995,0.9999995,-9.9999995\n'
  printf '0.0000004999999,-0.0000005,123456789012345678\n'
  # Subnormals, the smallest, and the halfway point below it.
  printf '4.9406564584124654e-324,2.2250738585072009e-308,2.4703282292062328e-324\n'
  printf '2.4703282292062327e-324,1e-310,-3e-320\n'
  # Huge exponents: the largest double, past it, and clamped exponents.
  printf '1.7976931348623157e308,1.7976931348623159e308,1e400\n'
  printf '1e-400,1e99999999999999999999,-1e-99999999999999999999\n'
  printf '0e999999999,-0e-999999999,1e22\n'
  # Negative zeros and tiny negatives.
  printf -- '-0,-0.0,-0e5\n'
  printf -- '-1e-9,-0.00000049,-0.0000000000000000001\n'
  # Forms of a number: exponent letters without digits, bare points, signs.
  printf '1e,2E+,3e-\n'
  printf '+1.,-.5,.0\n'
  printf '\t1,\v2,\f3\n'
  printf ' 1, 2, 3 trailing words\n'
  printf '0.1,0.2,0.3\n'
  printf '}\n'
} >"$dir/numbers.txt"

# --- Lines that stop the tool, one per file.
printf 'POINTS{\n1,2,3\n\n}\n' >"$dir/bad_empty_line.txt"
printf 'POINTS{\nPOINTS{\n}\n' >"$dir/bad_nested.txt"
printf 'POINTS{\n1 ,2,3\n}\n' >"$dir/bad_blank_before_comma.txt"
printf 'POINTS{\n1,2,3\n}' >"$dir/bad_last_brace.txt"
printf 'POINTS{\n1,2,3\n} \n' >"$dir/bad_brace_blank.txt"
printf 'POINTS{\n1,2\n' >"$dir/bad_two_numbers.txt"
printf 'POINTS{\nnan,inf,1\n' >"$dir/bad_words.txt"

# --- Not an array at all, or one left open at the end.
printf 'POINTS{' >"$dir/open_no_line_end.txt"
printf 'POINTS{\n1,2,3\n' >"$dir/open_at_end.txt"
printf 'POINTS{ \n1,2,3\n}\npoints{\n4,5,6\n}\n' >"$dir/not_an_array.txt"
: >"$dir/empty.txt"

# --- Block edges, for blocks of 4 KiB and of 64 KiB (data moves between the
# tool and its files in blocks): a CR LF whose CR is a block's last byte, a
# point line across the edge, a Ctrl-Z as the first byte of the second
# block, and a lone CR as the last byte of a block. Each file starts with
# "POINTS{\n" and lines "1,1,1\n" that end 8 bytes before the edge.
for block in 4096 65536; do
  head_lines() {
    printf 'POINTS{\n'
    repeat $'1,1,1\n' $(((block - 16) / 6))
  }
  {
    head_lines
    printf '2,2,2xx\r\n3,3,3\r\n}\r\n'
  } >"$dir/edge${block}_crlf.txt"
  {
    head_lines
    printf '12345.678,9,10\n}\n'
  } >"$dir/edge${block}_point_line.txt"
  {
    head_lines
    printf '4,4,4\n}\n\032after\n'
  } >"$dir/edge${block}_ctrl_z.txt"
  {
    head_lines
    printf '}\nabcde\rx\r'
  } >"$dir/edge${block}_lone_cr.txt"
done
