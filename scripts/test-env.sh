#!/usr/bin/env bash
# The environment the tests run in: a virtual X display (Xvfb) and, for the
# Windows programs, a fresh Wine prefix with one wineserver kept up for the
# whole run.
#
#   test-env.sh start STATE [--wine TEMPLATE] [--screen WxH]
#       Starts Xvfb on a free display number and, with --wine, copies a fresh
#       prefix from TEMPLATE (made once with wineboot if missing) and starts
#       wineserver. Writes STATE/env for the other commands.
#   test-env.sh run STATE -- PROGRAM [ARGS...]
#       Runs PROGRAM inside the environment; Windows programs (.exe, .dll,
#       .scr) through wine64. Exits with the program's status.
#   test-env.sh stop STATE
#       Stops everything that start started and removes the prefix.
#   test-env.sh shell STATE
#       An interactive shell inside the environment, for looking around.
#
# The Windows programs see ANSI code page 932 (LC_ALL=ja_JP.UTF-8), the code
# page the host's texts are written for; GLINTRA_LOCALE=en_US.UTF-8 in the
# caller's environment gives them code page 1252 instead.
set -euo pipefail

usage() { sed -n '2,20p' "$0" >&2; exit 2; }
[ $# -ge 2 ] || usage
cmd=$1 state=$2
shift 2

wine64_bin() {
  if command -v wine64 >/dev/null 2>&1; then command -v wine64
  elif [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64
  else echo wine; fi
}
wineserver_bin() {
  if command -v wineserver >/dev/null 2>&1; then command -v wineserver
  else echo /usr/lib/wine/wineserver64; fi
}

# Settings every test prefix needs: no crash dialog (a crashing program would
# hang the test), and no Mono or Gecko installers.
make_template() {
  local tpl=$1
  local tmp="$tpl.tmp.$$"
  rm -rf "$tmp"
  mkdir -p "$tmp"
  echo "test-env: making Wine prefix template $tpl" >&2
  WINEPREFIX="$tmp" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    DISPLAY= "$(wine64_bin)" wineboot -i >/dev/null 2>&1 || true
  WINEPREFIX="$tmp" WINEDEBUG=-all "$(wine64_bin)" reg add 'HKCU\Software\Wine\WineDbg' \
    /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  # Japanese faces that the host asks for, mapped to the IPA Gothic font.
  local font
  font=$(fc-list 2>/dev/null | grep -i -m1 'ipag.ttf' | cut -d: -f1 || true)
  if [ -n "$font" ]; then
    cp "$font" "$tmp/drive_c/windows/Fonts/" 2>/dev/null || true
    for face in "MS Gothic" "MS UI Gothic" "MS PGothic" "ＭＳ ゴシック" "ＭＳ Ｐゴシック" "MS Shell Dlg" "MS Shell Dlg 2"; do
      WINEPREFIX="$tmp" WINEDEBUG=-all "$(wine64_bin)" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
        /v "$face" /t REG_SZ /d "IPAGothic" /f >/dev/null 2>&1 || true
    done
  fi
  WINEPREFIX="$tmp" "$(wineserver_bin)" -k >/dev/null 2>&1 || true
  sleep 0.5
  rm -rf "$tpl"
  mv "$tmp" "$tpl"
}

stop_env() {
  [ -f "$state/env" ] || return 0
  # shellcheck disable=SC1091
  ( . "$state/env"
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
      WINEPREFIX="$WINEPREFIX" timeout 20 "$(wineserver_bin)" -k >/dev/null 2>&1 || true
    fi
    if [ -n "${XVFB_PID:-}" ]; then
      kill "$XVFB_PID" 2>/dev/null || true
      for _ in $(seq 50); do kill -0 "$XVFB_PID" 2>/dev/null || break; sleep 0.1; done
      kill -9 "$XVFB_PID" 2>/dev/null || true
    fi
    if [ -n "${WINEPREFIX:-}" ]; then rm -rf "$WINEPREFIX"; fi )
  rm -f "$state/env"
}

case $cmd in
start)
  # Not 1024x768: that is the renderer's initial window size, and on a screen
  # of that size a window that never went full screen would look as if it had.
  template="" screen="1280x720"
  while [ $# -gt 0 ]; do
    case $1 in
      --wine) template=$2; shift 2 ;;
      --screen) screen=$2; shift 2 ;;
      *) usage ;;
    esac
  done
  stop_env
  mkdir -p "$state"
  # A free display number: no lock file, no socket, and our Xvfb really came
  # up. Two environments starting at once may both try the same number; the
  # loser's Xvfb takes a moment to give up, and meanwhile the winner's socket
  # is there. The lock file names the server that owns the display.
  display="" xvfb_pid=""
  owns_display() {
    [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$1-lock")" = "$2" ] && [ -e "/tmp/.X11-unix/X$1" ]
  }
  for n in $(seq 91 250); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    setsid Xvfb ":$n" -screen 0 "${screen}x24" -nolisten tcp -noreset </dev/null >"$state/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
      owns_display "$n" "$xvfb_pid" && break
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.05
    done
    if kill -0 "$xvfb_pid" 2>/dev/null && owns_display "$n" "$xvfb_pid"; then
      display=":$n"; break
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  [ -n "$display" ] || { echo "test-env: no free display for Xvfb" >&2; exit 1; }
  {
    echo "export DISPLAY=$display"
    echo "XVFB_PID=$xvfb_pid"
  } >"$state/env"
  if [ -n "$template" ]; then
    exec 9>"$template.lock"
    flock 9
    [ -f "$template/system.reg" ] || make_template "$template"
    flock -u 9
    prefix=$(mktemp -d "${TMPDIR:-/tmp}/glintra-wine.XXXXXX")
    cp -a "$template/." "$prefix/"
    {
      echo "export WINEPREFIX=$prefix"
      echo "export WINEDEBUG=\${WINEDEBUG:--all}"
      echo "export WINEDLLOVERRIDES='mscoree,mshtml='"
      # The locale is handed to the Windows programs only (see run); bash
      # itself would complain that it is not installed, which Wine does not
      # need.
      echo "GLINTRA_WINE_LOCALE=ja_JP.UTF-8"
      echo "GLINTRA_WINE=1"
    } >>"$state/env"
    WINEPREFIX="$prefix" "$(wineserver_bin)" -p </dev/null >/dev/null 2>&1
    # Boot the prefix here, detached from any pipe. The services that the
    # first Wine program starts (services.exe, rpcss, plugplay, ...) live as
    # long as the wineserver and keep that program's standard error open; if
    # a test started them, they would hold ctest's output pipe and ctest
    # would wait on it until the test timed out.
    WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY="$display" \
      setsid "$(wine64_bin)" wineboot </dev/null >/dev/null 2>&1 || true
  fi
  echo "test-env: display $display${template:+, Wine prefix ready}" >&2
  ;;
run)
  [ "${1:-}" = "--" ] && shift
  [ $# -ge 1 ] || usage
  [ -f "$state/env" ] || { echo "test-env: not started: $state" >&2; exit 1; }
  # shellcheck disable=SC1091
  . "$state/env"
  case $1 in
    *.exe|*.dll|*.scr|*.EXE|*.DLL|*.SCR)
      # Windows programs see the project's folders as Z: paths.
      for var in GLINTRA_SOURCE_DIR GLINTRA_BIN_DIR; do
        if [ -n "${!var:-}" ]; then export "$var=Z:${!var}"; fi
      done
      # Wine's helpers (the desktop's explorer.exe, services) inherit the
      # program's standard error and may outlive it; ctest would then wait on
      # its pipe until the time-out. So the program writes to a file, which is
      # streamed out until the program ends.
      out=$(mktemp "${TMPDIR:-/tmp}/glintra-run.XXXXXX")
      # ANSI code page 932 unless the caller asks for another locale
      # (GLINTRA_LOCALE=en_US.UTF-8 gives code page 1252).
      LC_ALL=${GLINTRA_LOCALE:-$GLINTRA_WINE_LOCALE} "$(wine64_bin)" "$@" </dev/null >"$out" 2>&1 &
      pid=$!
      trap 'kill "$pid" 2>/dev/null || true; rm -f "$out"' EXIT
      trap 'exit 143' TERM INT
      tail -n +1 -s 0.1 -f --pid="$pid" "$out"
      rc=0
      wait "$pid" || rc=$?
      exit "$rc" ;;
    *) exec "$@" ;;
  esac
  ;;
stop)
  stop_env
  ;;
shell)
  # shellcheck disable=SC1091
  . "$state/env"
  exec "${SHELL:-bash}" -i
  ;;
*) usage ;;
esac
