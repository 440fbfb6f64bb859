# shellcheck shell=bash
# Sourced by the scripts that run the Windows build under wine.
#
#   wine_session_start PREFIX_DIR   sets WINEPREFIX and the quiet wine
#                                   settings, boots the prefix on first use
#                                   and keeps one wineserver running
#   wine_session_stop               ends that wineserver, if this session
#                                   started it
#
# The emulator is VERTIGROW_EMULATOR (default /usr/lib/wine/wine64). Without
# a persistent server every wine run starts a server of its own, which ends
# as soon as the run does; a run that starts while the last one's server is
# still going down can fail without any output, so the runs share one.

wine_session_emulator=${VERTIGROW_EMULATOR:-/usr/lib/wine/wine64}
wine_session_server=""
wine_session_started_server=false

wine_session_start() {
  export WINEPREFIX=${WINEPREFIX:-$1}
  export WINEDEBUG=${WINEDEBUG:--all}
  # No Mono and no Gecko: the tool is a console program.
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
  local emulator_words
  read -ra emulator_words <<<"$wine_session_emulator"
  if ! command -v "${emulator_words[0]}" >/dev/null; then
    echo "wine is missing: no ${emulator_words[0]} (Debian package wine64)" >&2
    return 1
  fi
  local emulator_path
  emulator_path=$(command -v "${emulator_words[0]}")
  wine_session_server=$(dirname "$emulator_path")/wineserver
  if [[ ! -x $wine_session_server ]]; then
    wine_session_server=$(command -v wineserver || true)
  fi

  mkdir -p "$WINEPREFIX"
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    echo "Booting the wine prefix $WINEPREFIX (slow the first time)"
    "${emulator_words[@]}" wineboot --init >/dev/null 2>&1
  fi
  # -p: stay up until told to end. Status 2 means one is up already.
  if [[ -n $wine_session_server ]]; then
    local status=0
    "$wine_session_server" -p >/dev/null 2>&1 || status=$?
    if ((status == 0)); then wine_session_started_server=true; fi
  fi
}

wine_session_stop() {
  if [[ $wine_session_started_server == true ]]; then
    "$wine_session_server" -k >/dev/null 2>&1 || true
    wine_session_started_server=false
  fi
}
