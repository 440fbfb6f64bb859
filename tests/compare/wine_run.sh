#!/usr/bin/env bash
# Runs the Windows build of the tool under wine, passing its standard output,
# standard error and exit status through unchanged:
#
#   tests/compare/wine_run.sh vertigrow.exe ARG...
#
# Now and then wine fails to start a process at all (more often on a busy
# machine): the run ends with a non-zero status and no output. The tool
# prints its banner before anything else, so a run with no output never
# started, and it is tried again, up to three times in all. Each retry is
# noted in the file VERTIGROW_WINE_RETRY_LOG, when that is set. A tool that
# fails before its banner still fails: every try does.
#
# The wine is VERTIGROW_WINE (default /usr/lib/wine/wine64); WINEPREFIX and
# the other wine settings come from the caller (wine_session.sh).
set -uo pipefail

wine=${VERTIGROW_WINE:-/usr/lib/wine/wine64}
out=$(mktemp "${TMPDIR:-/tmp}/vertigrow-wine-out-XXXXXX")
err=$(mktemp "${TMPDIR:-/tmp}/vertigrow-wine-err-XXXXXX")
trap 'rm -f "$out" "$err"' EXIT

status=0
for attempt in 1 2 3; do
  status=0
  "$wine" "$@" >"$out" 2>"$err" || status=$?
  if ((status == 0)) || [[ -s $out ]]; then break; fi
  if [[ -n ${VERTIGROW_WINE_RETRY_LOG:-} ]]; then
    printf 'try %d: status %d, no output: %s\n' "$attempt" "$status" "$*" >>"$VERTIGROW_WINE_RETRY_LOG"
  fi
done
cat "$out"
cat "$err" >&2
exit "$status"
