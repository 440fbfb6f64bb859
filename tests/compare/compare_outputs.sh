#!/usr/bin/env bash
# Runs the Linux build and the Windows build of the tool on the same inputs
# and factor sets, and asserts that both give byte-identical output files,
# standard output and exit statuses.
#
#   tests/compare/compare_outputs.sh LINUX_BINARY WINDOWS_EXE
#
# The Windows build runs under wine through wine_run.sh, with WINEPREFIX
# defaulting to a folder "wineprefix" beside WINDOWS_EXE (wine_session.sh). The inputs are the edge cases written by
# make_edge_cases.sh and every file in examples/. Each run happens in a fresh
# folder holding its files; after it both folders must hold the same names
# with the same bytes. Names that only Windows treats as one file (A.TXT and
# a.txt) or cannot spell (outside its ANSI code page) are left out.
set -euo pipefail

if [[ $# -ne 2 ]]; then
  echo "usage: $0 LINUX_BINARY WINDOWS_EXE" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
linux_binary=$(realpath "$1")
windows_binary=$(realpath "$2")
examples=${VERTIGROW_EXAMPLES:-$root/examples}

# shellcheck source-path=SCRIPTDIR source=wine_session.sh
source "$here/wine_session.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/vertigrow-compare-XXXXXX")
trap 'wine_session_stop; rm -rf "$work"' EXIT
wine_session_start "$(dirname "$windows_binary")/wineprefix"
"$here/make_edge_cases.sh" "$work/inputs"
if [[ -d $examples ]]; then
  find "$examples" -maxdepth 1 -type f -exec cp {} "$work/inputs/" \;
fi

cases=0
failures=0

# Shows where two files first differ, as characters.
show_difference() {
  diff <(od -An -c -w16 -v "$1") <(od -An -c -w16 -v "$2") | head -n 8 | sed 's/^/      /' || true
}

# check_case LABEL ARG...: prepares two folders with the function named by
# $setup, runs each build there with the arguments, and compares.
check_case() {
  local label=$1
  shift
  cases=$((cases + 1))
  local base="$work/runs/$cases"
  mkdir -p "$base/linux" "$base/windows"
  (cd "$base/linux" && "$setup")
  (cd "$base/windows" && "$setup")

  local linux_status=0 windows_status=0
  (cd "$base/linux" && exec "$linux_binary" "$@") \
    >"$base/linux.out" 2>"$base/linux.err" </dev/null || linux_status=$?
  (cd "$base/windows" && exec "$here/wine_run.sh" "$windows_binary" "$@") \
    >"$base/windows.out" 2>"$base/windows.err" </dev/null || windows_status=$?

  local problems=()
  if [[ $linux_status != "$windows_status" ]]; then
    problems+=("exit status: Linux $linux_status, Windows $windows_status")
  fi
  if ! cmp -s "$base/linux.out" "$base/windows.out"; then
    problems+=("standard output differs (< Linux, > Windows):")
    problems+=("$(show_difference "$base/linux.out" "$base/windows.out")")
  fi
  if [[ -s $base/linux.err ]]; then
    problems+=("the Linux build wrote to standard error: $(head -c 200 "$base/linux.err")")
  fi
  local listing
  if ! listing=$(diff -r -q --no-dereference "$base/linux" "$base/windows" 2>&1); then
    problems+=("the folders differ: $listing")
    local file
    while IFS= read -r -d '' file; do
      if [[ -f $base/windows/$file ]] && ! cmp -s "$base/linux/$file" "$base/windows/$file"; then
        problems+=("  $file (< Linux, > Windows):")
        problems+=("$(show_difference "$base/linux/$file" "$base/windows/$file")")
      fi
    done < <(cd "$base/linux" && find . -type f -print0)
  fi

  if ((${#problems[@]} > 0)); then
    if [[ -s $base/windows.err ]]; then
      problems+=("the Windows run wrote to standard error: $(head -c 400 "$base/windows.err")")
    fi
    failures=$((failures + 1))
    printf 'DIFFERENT  %s\n  args:' "$label"
    printf ' [%s]' "$@"
    printf '\n'
    printf '  %s\n' "${problems[@]}"
  else
    rm -rf "$base"
  fi
}

# --- Every input with every factor set. Each set is x|y|z.
factor_sets=(
  "1|1|1"
  "2|-0.5|1e-3"
  "1e999|0|-1e999"
  "-0|1d2|.5e"
  "abc|3.0000000000000000001|1e-320"
  " 25.4|+2x|0.1"
  "1.0000000000000002|0.99999999999999989|-1e300"
  "4.9e-324|1e308|-1e-308"
)
input=""
setup_input() { cp "$input" .; }
setup=setup_input
for input in "$work"/inputs/*; do
  name=$(basename "$input")
  for set in "${factor_sets[@]}"; do
    IFS='|' read -r x y z <<<"$set"
    check_case "$name with $set" "$x" "$y" "$z" "$name" out.txt
  done
  check_case "$name to the default output name" 3 3 3 "$name"
done

# --- The names: refusals, links, folders, argument counts.
sample=$'head\nPOINTS{\n1,2,3\n}\n'
setup_sample() { printf '%s' "$sample" >a.txt; }
setup_links() {
  setup_sample
  ln a.txt hard.txt
  ln -s a.txt soft.txt
}
setup_folders() {
  setup_sample
  mkdir folder
}
setup_existing_output() {
  setup_sample
  printf 'old contents\n' >a.txts
}

setup=setup_sample
check_case "no arguments"
check_case "three arguments" 2 2 2
check_case "six arguments" 2 2 2 a.txt b.txt c.txt
check_case "same name" 2 2 2 a.txt a.txt
check_case "same file by ./" 2 2 2 ./a.txt a.txt
check_case "missing input" 2 2 2 missing.txt out.txt
check_case "output into a missing folder" 2 2 2 a.txt no/such/folder/out.txt
check_case "long output name" 2 2 2 a.txt "$(printf 'o%.0s' {1..200})"
setup=setup_links
check_case "hard link" 2 2 2 a.txt hard.txt
check_case "symbolic link" 2 2 2 soft.txt a.txt
setup=setup_folders
check_case "folder as input" 2 2 2 folder out.txt
check_case "folder as output" 2 2 2 a.txt folder
check_case "same file through a folder" 2 2 2 a.txt folder/../a.txt
setup=setup_existing_output
check_case "existing output replaced" 2 2 2 a.txt

echo "$cases cases, $failures different"
((failures == 0))
