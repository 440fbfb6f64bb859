#!/usr/bin/env bash
# Benchmarks the built tool (make bench). Reports, never fails on a figure.
#
#  1. Writes the inputs into build/bench/ once (again only when the generator
#     was rebuilt since).
#  2. Speed: for each 50 MB input (dense, mixed, text), rounds of the tool
#     (factors 2 2 2), `cat in > out` (the floor for copying a file), a copy
#     in 4096-byte blocks (dd bs=4096: a plain copy in small blocks)
#     and the plain stdio port, in turn; prints the median wall and CPU times
#     and the ratios.
#  3. Memory: the peak resident set of the tool on a 1 MB and a 200 MB input,
#     and of a trivial program built the same way.
#  4. Linearity: the tool's time per MB on dense inputs of 10 to 100 MB.
#  5. The micro-benchmarks, briefly.
# Each target is printed with its figure and whether the figure meets it.
#
# Settings (environment): VERTIGROW_BUILD (default: build), ROUNDS (5),
# PORT_ROUNDS (5), LINEAR_ROUNDS (3), BENCH_MIN_TIME (0.2 seconds).
set -euo pipefail
export LC_ALL=C

root=$(cd "$(dirname "$0")/.." && pwd)
build=${VERTIGROW_BUILD:-$root/build}
data=$build/bench
tool=$build/vertigrow
generator=$data/vertigrow_bench_input
port=$data/vertigrow_port
trivial=$data/vertigrow_trivial
micro=$data/vertigrow_bench
rounds=${ROUNDS:-5}
port_rounds=${PORT_ROUNDS:-5}
linear_rounds=${LINEAR_ROUNDS:-3}
min_time=${BENCH_MIN_TIME:-0.2}

for program in "$tool" "$generator" "$port" "$trivial" "$micro"; do
  if [[ ! -x $program ]]; then
    echo "missing $program: build first (make build; the bench needs Google Benchmark)" >&2
    exit 1
  fi
done
if [[ ! -x /usr/bin/time ]]; then
  echo "missing /usr/bin/time (GNU time)" >&2
  exit 1
fi

# --- helpers --------------------------------------------------------------

# Writes data/KIND-SIZEmb.txt unless it is there and newer than the generator.
# A new file is written elsewhere first, so a broken run leaves none behind.
input() {
  local kind=$1 size=$2
  local file=$data/$kind-${size}mb.txt
  if [[ ! -f $file || $generator -nt $file ]]; then
    mkdir -p "$data/new"
    "$generator" "$data/new" "$size" "$kind"
    mv "$data/new/$kind-${size}mb.txt" "$file"
  fi
  echo "$file"
}

# Microseconds since the epoch (bash 5).
now() { echo "${EPOCHREALTIME/./}"; }

run_tool() { "$tool" 2 2 2 "$1" "$2"; }
run_port() { "$port" 2 2 2 "$1" "$2"; }
run_cat() { cat "$1" >"$2"; }
run_dd() { dd if="$1" of="$2" bs=4096 status=none; }

# Runs a command once and sets wall and cpu to its wall time and its CPU
# time (user + sys), in microseconds to the millisecond. A command that fails
# ends the benchmark: its times would mean nothing.
timed() {
  local TIMEFORMAT='%3R %3U %3S' report status=0
  report=$({ time "$@" >/dev/null 2>&1; } 2>&1) || status=$?
  if ((status != 0)); then
    echo "failed (status $status): $*" >&2
    exit 1
  fi
  read -r wall cpu < <(awk '{printf "%d %d\n", $1 * 1e6, ($2 + $3) * 1e6}' <<<"$report")
}

# The median of the numbers in the arguments, separated by spaces.
median() {
  echo "$*" | tr -s ' ' '\n' | sed '/^$/d' | sort -n | awk '{v[NR] = $1}
    END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}

# a / b with two decimals.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", (b > 0) ? a / b : 0}'; }

# Microseconds as seconds with three decimals.
seconds() { awk -v us="$1" 'BEGIN {printf "%.3f", us / 1e6}'; }

# Prints "met" or "NOT met" for an awk condition on a and b.
verdict() {
  awk -v a="$2" -v b="$3" "BEGIN {exit !($1)}" && echo "met" || echo "NOT met"
}

# The peak resident set in KB of a command, as GNU time reports it.
peak_rss() {
  local report=$data/time-report.txt
  /usr/bin/time -v -o "$report" "$@" >/dev/null
  awk -F': ' '/Maximum resident set size/ {print $2}' "$report"
  rm -f "$report"
}

# --- inputs ---------------------------------------------------------------

echo "== inputs (in $data)"
start=$(now)
declare -A files
for kind in dense mixed text; do files[$kind]=$(input "$kind" 50); done
small=$(input dense 1)
large=$(input dense 200)
declare -A linear
for size in 10 25 50 100; do linear[$size]=$(input dense "$size"); done
echo "ready in $(seconds $(($(now) - start))) s"
out_tool=$data/out-tool.txt
out_cat=$data/out-cat.txt
out_port=$data/out-port.txt
out_dd=$data/out-dd.txt
trap 'rm -f "$out_tool" "$out_cat" "$out_port" "$out_dd"' EXIT

# --- speed ----------------------------------------------------------------

# Other work on the machine slows the wall times down; the CPU times show
# what the programs themselves spent.
echo
echo "== speed: median of $rounds rounds (port: $port_rounds), factors 2 2 2;" \
  "load average $(cut -d' ' -f1-3 /proc/loadavg)"
row() { printf '%-6s %-5s %6s %8s %8s %8s %8s %10s %9s %10s\n' "$@"; }
row input clock MB tool_s cat_s dd4k_s port_s port/tool tool/cat tool/dd4k
declare -A port_over_tool tool_over_cat
for kind in dense mixed text; do
  file=${files[$kind]}
  cat "$file" >/dev/null  # into the page cache before the first timed round
  declare -A times=()     # "program.clock" -> the times of all rounds
  for ((round = 1; round <= rounds || round <= port_rounds; ++round)); do
    if ((round <= rounds)); then
      timed run_tool "$file" "$out_tool"
      times[tool.wall]+=" $wall" times[tool.cpu]+=" $cpu"
      timed run_cat "$file" "$out_cat"
      times[cat.wall]+=" $wall" times[cat.cpu]+=" $cpu"
      timed run_dd "$file" "$out_dd"
      times[dd.wall]+=" $wall" times[dd.cpu]+=" $cpu"
    fi
    if ((round <= port_rounds)); then
      timed run_port "$file" "$out_port"
      times[port.wall]+=" $wall" times[port.cpu]+=" $cpu"
    fi
  done
  megabytes=$(awk -v b="$(stat -c %s "$file")" 'BEGIN {printf "%.1f", b / 1e6}')
  for clock in wall cpu; do
    tool_us=$(median "${times[tool.$clock]}")
    cat_us=$(median "${times[cat.$clock]}")
    dd_us=$(median "${times[dd.$clock]}")
    port_us=$(median "${times[port.$clock]}")
    row "$kind" "$clock" "$megabytes" "$(seconds "$tool_us")" "$(seconds "$cat_us")" \
      "$(seconds "$dd_us")" "$(seconds "$port_us")" "$(ratio "$port_us" "$tool_us")" \
      "$(ratio "$tool_us" "$cat_us")" "$(ratio "$tool_us" "$dd_us")"
    port_over_tool[$kind.$clock]=$(ratio "$port_us" "$tool_us")
    tool_over_cat[$kind.$clock]=$(ratio "$tool_us" "$cat_us")
  done
  cmp -s "$out_tool" "$out_port" || echo "       ($kind: the port's output differs from the tool's)"
done
echo "(cat may copy inside the kernel; dd4k reads and writes 4096-byte blocks; the tool moves 64 KiB blocks)"
rm -f "$out_tool" "$out_cat" "$out_port" "$out_dd"

# --- memory ---------------------------------------------------------------

echo
echo "== memory: peak resident set (KB)"
rss_trivial=$(peak_rss "$trivial")
rss_small=$(peak_rss "$tool" 2 2 2 "$small" "$out_tool")
rss_large=$(peak_rss "$tool" 2 2 2 "$large" "$out_tool")
rm -f "$out_tool"
rss_tool=$((rss_small > rss_large ? rss_small : rss_large))
printf 'trivial program %d, tool on 1 MB %d, tool on 200 MB %d (tool - trivial: %d)\n' \
  "$rss_trivial" "$rss_small" "$rss_large" $((rss_tool - rss_trivial))

# --- linearity ------------------------------------------------------------

echo
echo "== linearity: tool time per MB on dense inputs, median of $linear_rounds rounds"
declare -A per_mb=()  # "clock.size" -> ms per MB
for size in 10 25 50 100; do
  file=${linear[$size]}
  cat "$file" >/dev/null
  wall_list="" cpu_list=""
  for ((round = 1; round <= linear_rounds; ++round)); do
    timed run_tool "$file" "$out_tool"
    wall_list+=" $wall" cpu_list+=" $cpu"
  done
  bytes=$(stat -c %s "$file")
  per_mb[wall.$size]=$(ratio "$(median "$wall_list")" $((bytes / 1000)))
  per_mb[cpu.$size]=$(ratio "$(median "$cpu_list")" $((bytes / 1000)))
done
rm -f "$out_tool"
for clock in wall cpu; do
  printf '%-5s' "$clock"
  for size in 10 25 50 100; do printf '  %3d MB: %6s ms/MB' "$size" "${per_mb[$clock.$size]}"; done
  echo
done

# --- targets --------------------------------------------------------------

# Judged on the wall times; the CPU-time ratio follows in parentheses.
target() {  # label, value, condition, bound, cpu value
  printf '%-32s %8s  (cpu %s)  %s\n' "$1" "$2" "$5" "$(verdict "a $3 b" "$2" "$4")"
}
echo
echo "== targets (wall time; cpu in parentheses)"
target "dense  port/tool >= 6" "${port_over_tool[dense.wall]}" ">=" 6 "${port_over_tool[dense.cpu]}"
target "mixed  port/tool >= 5" "${port_over_tool[mixed.wall]}" ">=" 5 "${port_over_tool[mixed.cpu]}"
target "text   tool/cat <= 2" "${tool_over_cat[text.wall]}" "<=" 2 "${tool_over_cat[text.cpu]}"
printf '%-32s %8s  %s\n' "peak RSS <= trivial + 1024 KB" "$rss_tool KB" \
  "$(verdict 'a <= b' "$rss_tool" $((rss_trivial + 1024)))"
spread=$(awk -v a="$rss_small" -v b="$rss_large" \
  'BEGIN {d = b - a; if (d < 0) d = -d; printf "%.1f%%", 100 * d / a}')
printf '%-32s %8s  %s\n' "RSS on 1 MB vs 200 MB within 10%" "$spread" \
  "$(verdict 'a <= b' "${spread%\%}" 10)"

# --- micro-benchmarks -----------------------------------------------------

echo
echo "== micro-benchmarks"
"$micro" --benchmark_min_time="$min_time"
