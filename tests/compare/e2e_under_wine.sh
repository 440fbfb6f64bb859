#!/usr/bin/env bash
# Runs the end-to-end test programs of a Linux build against the Windows
# build, under wine.
#
#   tests/compare/e2e_under_wine.sh LINUX_BUILD_DIR WINDOWS_EXE
#
# The end-to-end programs are the test programs whose own objects call
# TempFolder::run (tests/support/run_tool.h): they run the tool named by
# VERTIGROW_BINARY behind VERTIGROW_EMULATOR, here wine_run.sh, so they can
# run the .exe as well. Tests that cannot hold on Windows skip themselves
# when running_under_emulator() is true. The other test programs check the
# code compiled for Linux and are not run again. Test programs in folders
# below tests/ (the slow ones) are not run either.
set -euo pipefail

if [[ $# -ne 2 ]]; then
  echo "usage: $0 LINUX_BUILD_DIR WINDOWS_EXE" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "$1")
windows_binary=$(realpath "$2")

# shellcheck source-path=SCRIPTDIR source=wine_session.sh
source "$here/wine_session.sh"
log=$(mktemp "${TMPDIR:-/tmp}/vertigrow-e2e-XXXXXX")
trap 'wine_session_stop; rm -f "$log"' EXIT
wine_session_start "$(dirname "$windows_binary")/wineprefix"

programs=()
for target in "$build"/tests/CMakeFiles/*.dir; do
  name=$(basename "$target" .dir)
  [[ -x $build/tests/$name ]] || continue
  objects=("$target"/*.o)
  [[ -e ${objects[0]} ]] || continue
  # grep reads all of nm's output: with -q it could end nm by SIGPIPE.
  calls=$(nm -C --undefined-only "${objects[@]}" 2>/dev/null | grep -c 'TempFolder::run(' || true)
  if ((calls > 0)); then programs+=("$build/tests/$name"); fi
done
if ((${#programs[@]} == 0)); then
  echo "no end-to-end test programs in $build/tests (is the Linux build done?)" >&2
  exit 1
fi

failed=0
for program in "${programs[@]}"; do
  status=0
  VERTIGROW_BINARY=$windows_binary VERTIGROW_EMULATOR=$here/wine_run.sh GTEST_COLOR=no \
    "$program" --gtest_brief=1 >"$log" 2>&1 || status=$?
  summary=$(grep -E '^\[  (PASSED|FAILED|SKIPPED) ' "$log" | tr '\n' ' ' || true)
  echo "$(basename "$program") under wine: ${summary:-no summary}"
  if ((status != 0)); then
    failed=1
    cat "$log"
  fi
done
exit "$failed"
