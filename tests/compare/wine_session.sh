# shellcheck shell=bash
# Sourced by the scripts that run the Windows build under wine.
#
#   wine_session_start PREFIX_DIR   sets WINEPREFIX (unless set already)
#                                   and the quiet wine settings, keeps one
#                                   wineserver running and boots the prefix
#   wine_session_stop               ends that wineserver, if this session
#                                   started it
#
# The wine is VERTIGROW_WINE (default /usr/lib/wine/wine64); the runs go
# through wine_run.sh. Without a persistent server every wine run starts a
# server of its own, which ends as soon as the run does, and a run that
# starts while the last one's server is still going down can fail. A script
# started inside a session (VERTIGROW_WINE_SESSION names its prefix) joins it.

wine_session_wine=${VERTIGROW_WINE:-/usr/lib/wine/wine64}
wine_session_server=""
wine_session_started_server=false

wine_session_start() {
  export WINEPREFIX=${WINEPREFIX:-$1}
  export WINEDEBUG=${WINEDEBUG:--all}
  # No Mono and no Gecko: the tool is a console program.
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
  export VERTIGROW_WINE=$wine_session_wine
  if [[ ${VERTIGROW_WINE_SESSION:-} == "$WINEPREFIX" ]]; then return 0; fi

  if ! command -v "$wine_session_wine" >/dev/null; then
    echo "wine is missing: no $wine_session_wine (Debian package wine64)" >&2
    return 1
  fi
  wine_session_server=$(dirname "$(command -v "$wine_session_wine")")/wineserver
  if [[ ! -x $wine_session_server ]]; then
    wine_session_server=$(command -v wineserver || true)
  fi

  mkdir -p "$WINEPREFIX"
  if [[ -n $wine_session_server ]]; then
    # A server left by an earlier run ends within seconds; -p then starts
    # one that stays up until told to end (status 2: one is up already).
    timeout 30 "$wine_session_server" -w >/dev/null 2>&1 || true
    local status=0
    "$wine_session_server" -p >/dev/null 2>&1 || status=$?
    if ((status == 0)); then wine_session_started_server=true; fi
  fi
  # wineboot makes the prefix the first time (some seconds) and then only
  # checks that it is up to date (well under a second).
  if [[ ! -d $WINEPREFIX/drive_c ]]; then echo "Making the wine prefix $WINEPREFIX"; fi
  "$wine_session_wine" wineboot --init >/dev/null 2>&1
  export VERTIGROW_WINE_SESSION=$WINEPREFIX
}

# -k ends the server, -w waits until it is gone and has saved the registry.
wine_session_stop() {
  if [[ $wine_session_started_server == true ]]; then
    "$wine_session_server" -k >/dev/null 2>&1 || true
    "$wine_session_server" -w >/dev/null 2>&1 || true
    wine_session_started_server=false
  fi
}
