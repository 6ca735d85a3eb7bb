#!/usr/bin/env bash
# The environment the programs run in under test: a virtual X display (Xvfb)
# and, for the Windows programs, a fresh Wine prefix with a wineserver of its
# own.
#
# One program, one environment (what ctest uses for every test):
#   test-env.sh isolate ROOT [--display] [--wine TEMPLATE] [--screen WxH]
#                            [--monitors WxH,WxH...] [--lock] -- PROGRAM [ARGS...]
#       Makes an environment in a new folder under ROOT (--display: an Xvfb;
#       --wine: also a prefix copied from TEMPLATE and its wineserver), runs
#       PROGRAM in it (Windows programs through wine64) and stops and removes
#       everything when the program ends, fails, or is stopped. --lock runs
#       the program under the fixed-path lock (below). Exits with the
#       program's status. A GoogleTest program that ends
#       with status 0 before its test run has finished (exit or ExitProcess
#       in the middle) fails. Inside, GLINTRA_TEST_ENV_STATE names the
#       environment for `run`.
#   test-env.sh sweep ROOT
#       Stops and removes the environments under ROOT whose program has gone
#       without cleaning up: ctest ends a test that runs out of time with
#       SIGKILL, which leaves no chance to.
#   test-env.sh prepare ROOT [--wine TEMPLATE]
#       sweep, then make the Wine template prefix unless a complete one of
#       this Wine version is there (under an flock on TEMPLATE.lock).
#   test-env.sh locked -- COMMAND [ARGS...]
#       Runs COMMAND under the fixed-path lock: an flock that every test run
#       and script of every checkout on this machine shares, for what no
#       environment can give a program of its own (the native renderer's
#       bitmap path /tmp/q_vane).
#
# A long-lived environment, for scripts and by hand:
#   test-env.sh start STATE [--wine TEMPLATE] [--screen WxH] [--monitors WxH,...]
#   test-env.sh run STATE -- PROGRAM [ARGS...]
#   test-env.sh stop STATE
#   test-env.sh shell STATE
#
# --monitors gives a desk of several monitors side by side, the first the
# primary: one Xephyr inside the Xvfb, with one screen per monitor joined by
# Xinerama (Wine 8 sees one monitor per screen; with RandR it would see one
# in all, and Xvfb's own Xinerama stacks every screen at 0,0), and openbox in
# it, since without a window manager X gives the keyboard to whichever window
# the pointer is over, which no Windows desktop does.
#
# The Windows programs see ANSI code page 932 (LC_ALL=ja_JP.UTF-8), the code
# page the host's texts are written for; GLINTRA_LOCALE=en_US.UTF-8 in the
# caller's environment gives them code page 1252 instead.
set -euo pipefail

usage() { sed -n '2,46p' "$0" >&2; exit 2; }
[ $# -ge 2 ] || usage
cmd=$1
shift

wine64_bin() {
  if command -v wine64 >/dev/null 2>&1; then command -v wine64
  elif [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64
  else echo wine; fi
}
wineserver_bin() {
  if command -v wineserver >/dev/null 2>&1; then command -v wineserver
  else echo /usr/lib/wine/wineserver64; fi
}
absolute() { case $1 in /*) echo "$1" ;; *) echo "$PWD/$1" ;; esac; }

# The fixed-path lock, on descriptor 9 (see `locked`). Readable by everybody,
# so that other users' runs can take it too.
fixed_path_lock=/tmp/glintra-q_vane.lock
take_fixed_path_lock() {
  [ -e "$fixed_path_lock" ] || (umask 0; : >>"$fixed_path_lock") 2>/dev/null || true
  exec 9<"$fixed_path_lock"
  if ! flock -n 9; then
    echo "test-env: $1 waits for $fixed_path_lock (another test or script, maybe of another checkout, uses /tmp/q_vane)" >&2
    flock 9
  fi
}

# ---- The template prefix --------------------------------------------------

# Settings every test prefix needs: no crash dialog (a crashing program would
# hang the test), no Mono or Gecko installers, and the Japanese faces that the
# host asks for mapped to the IPA Gothic font. In a subshell of its own, for
# the Wine variables it sets.
make_template() (
  local tpl=$1
  local tmp="$tpl.tmp.$$"
  rm -rf "$tmp"
  mkdir -p "$tmp"
  echo "test-env: making the Wine template prefix $tpl (once per build folder)" >&2
  local reg=("$(wine64_bin)" reg add)
  export WINEPREFIX=$tmp WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
  WINEARCH=win64 "$(wine64_bin)" wineboot -i >"$tmp.log" 2>&1 ||
    { echo "test-env: wineboot could not make a prefix (see $tmp.log)" >&2; return 1; }
  "${reg[@]}" 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >>"$tmp.log" 2>&1
  # The Japanese faces the host asks for, from the IPA fonts: the
  # proportional ones (P, UI) from IPAPGothic, the fixed-pitch ones from
  # IPAGothic.
  local gothic pgothic face
  gothic=$(fc-list 2>/dev/null | grep -i -m1 '/ipag.ttf' | cut -d: -f1 || true)
  pgothic=$(fc-list 2>/dev/null | grep -i -m1 '/ipagp.ttf' | cut -d: -f1 || true)
  if [ -n "$gothic" ]; then
    cp "$gothic" "$tmp/drive_c/windows/Fonts/"
    for face in "MS Gothic" "ＭＳ ゴシック" "MS Shell Dlg" "MS Shell Dlg 2"; do
      "${reg[@]}" 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d "IPAGothic" /f >>"$tmp.log" 2>&1
    done
  fi
  [ -n "$pgothic" ] || pgothic=$gothic
  if [ -n "$pgothic" ]; then
    cp "$pgothic" "$tmp/drive_c/windows/Fonts/"
    face=$(fc-query -f '%{family[0]}' "$pgothic" 2>/dev/null || echo IPAPGothic)
    for f in "MS UI Gothic" "MS PGothic" "ＭＳ Ｐゴシック"; do
      "${reg[@]}" 'HKCU\Software\Wine\Fonts\Replacements' /v "$f" /t REG_SZ /d "$face" /f >>"$tmp.log" 2>&1
    done
  fi
  # Wine's own Tahoma and Marlett (fonts-wine), which this Wine does not find
  # where the package puts them: the faces a real Windows has, for the
  # panel's text and the caption buttons' glyphs.
  local wine_face
  for wine_face in tahoma.ttf tahomabd.ttf marlett.ttf; do
    if [ -f "/usr/share/wine/fonts/$wine_face" ]; then
      cp "/usr/share/wine/fonts/$wine_face" "$tmp/drive_c/windows/Fonts/"
    fi
  done
  # No window manager runs on the virtual displays: Wine draws the caption
  # bars and borders itself, so that a window has its real outer size and a
  # screenshot shows its caption.
  "${reg[@]}" 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >>"$tmp.log" 2>&1
  # The wineserver writes the registry files when it exits, after -k has
  # returned: wait for that, or the template would be copied without them.
  "$(wineserver_bin)" -k >/dev/null 2>&1 || true
  timeout 60 "$(wineserver_bin)" -w >/dev/null 2>&1 || true
  [ -f "$tmp/system.reg" ] && [ -f "$tmp/user.reg" ] ||
    { echo "test-env: the new prefix has no registry files (see $tmp.log)" >&2; return 1; }
  template_stamp >"$tmp/.glintra-wine-version"
  rm -rf "$tpl" "$tmp.log"
  mv "$tmp" "$tpl"
)

# What a template was made by: the Wine version and the revision of
# make_template (raise it whenever make_template changes what it sets up).
TEMPLATE_REVISION=3
template_stamp() { echo "$("$(wine64_bin)" --version) template-$TEMPLATE_REVISION"; }

# The template is made once per build folder and per Wine version: an update
# of Wine may rewrite the DLL stores that the test prefixes share with it.
ensure_template() {
  local tpl=$1 lock
  exec {lock}>"$tpl.lock"
  flock "$lock"
  if [ ! -f "$tpl/system.reg" ] || [ ! -f "$tpl/.glintra-wine-version" ] ||
     [ "$(cat "$tpl/.glintra-wine-version")" != "$(template_stamp)" ]; then
    make_template "$tpl"
  fi
  exec {lock}>&-
}

# A prefix from the template. The DLL stores (system32 and winsxs, 670 of its
# 700 MB) are hard-linked: Wine writes them only when it updates a prefix to a
# new Wine version, and the template is remade then. Only their program and
# locale files are linked; everything else (the registry files, .ini files,
# drivers/etc and every file outside the stores) is really copied, since
# Wine rewrites such files in place.
copy_prefix() {
  local tpl=$1 prefix=$2
  local stores=(drive_c/windows/system32 drive_c/windows/winsxs)
  local shared='.*\.\(dll\|exe\|sys\|drv\|ocx\|cpl\|acm\|ax\|tlb\|com\|nls\)'
  mkdir -p "$prefix"
  ( cd "$tpl" && tar --exclude=./.glintra-wine-version --exclude="./${stores[0]}" \
      --exclude="./${stores[1]}" -cf - . ) | ( cd "$prefix" && tar -xpf - )
  ( cd "$tpl" && find "${stores[@]}" -type d -print0 ) |
    ( cd "$prefix" && xargs -0 mkdir -p )
  ( cd "$tpl" && find "${stores[@]}" -type f -iregex "$shared" -print0 |
      xargs -0 -r cp -l --parents -t "$prefix" )
  ( cd "$tpl" && find "${stores[@]}" \( -type l -o \( -type f ! -iregex "$shared" \) \) -print0 |
      tar --null -T - -cf - ) | ( cd "$prefix" && tar -xpf - )
}

# ---- Starting and stopping one environment --------------------------------

# Starts an X server (Xvfb, Xephyr) that picks a free display number itself
# and says which once it takes connections: no race with other servers
# starting at the same time. Daemons get no descriptor 9, the --lock of
# `isolate`: one that outlived a killed test would keep other tests waiting.
# x_server STATE NAME PIDVAR COMMAND...: appends PIDVAR=pid to STATE/env and
# prints the display number.
x_server() {
  local state=$1 name=$2 pidvar=$3
  shift 3
  rm -f "$state/$name.display"
  setsid "$@" -displayfd 3 -nolisten tcp -noreset \
    3>"$state/$name.display" </dev/null >"$state/$name.log" 2>&1 9<&- &
  local pid=$!
  echo "$pidvar=$pid" >>"$state/env"
  local n=""
  for _ in $(seq 400); do
    # A whole line, or nothing: read fails until the newline is there.
    read -r n <"$state/$name.display" 2>/dev/null && break
    n=""
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  if ! [[ $n =~ ^[0-9]+$ ]]; then
    echo "test-env: $name did not start (see $state/$name.log)" >&2
    return 1
  fi
  echo "$n"
}

# start_env STATE DISPLAY? TEMPLATE SCREEN MONITORS: writes STATE/env.
start_env() {
  local state=$1 want_display=$2 template=$3 screen=$4 monitors=${5:-}
  mkdir -p "$state"
  : >"$state/env"
  if [ "$want_display" = 1 ] && [ -z "$monitors" ]; then
    local n
    n=$(x_server "$state" xvfb XVFB_PID Xvfb -screen 0 "${screen}x24") || return 1
    echo "export DISPLAY=:$n" >>"$state/env"
  elif [ "$want_display" = 1 ]; then
    # The monitors side by side, top-aligned, inside one Xvfb that holds them.
    local screens=() x=0 height=0 m w h outer nested
    for m in ${monitors//,/ }; do
      w=${m%x*} h=${m#*x}
      screens+=(-screen "${m}+${x}+0")
      x=$((x + w))
      [ "$h" -gt "$height" ] && height=$h
    done
    outer=$(x_server "$state" xvfb XVFB_PID Xvfb -screen 0 "${x}x${height}x24") || return 1
    nested=$(DISPLAY=:$outer x_server "$state" xephyr XEPHYR_PID \
               Xephyr "${screens[@]}" +xinerama -extension RANDR) || return 1
    DISPLAY=:$nested setsid openbox </dev/null >"$state/openbox.log" 2>&1 9<&- &
    echo "OPENBOX_PID=$!" >>"$state/env"
    # Until openbox has taken the screen, a window would be mapped unmanaged.
    for _ in $(seq 100); do
      DISPLAY=:$nested xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
      sleep 0.05
    done
    echo "export DISPLAY=:$nested" >>"$state/env"
  fi
  if [ -n "$template" ]; then
    ensure_template "$template" || return 1
    local prefix=$state/prefix
    copy_prefix "$template" "$prefix" ||
      { echo "test-env: cannot copy the Wine prefix $template" >&2; return 1; }
    {
      echo "export WINEPREFIX=$prefix"
      # Wine's own error messages only: they tell why a program could not
      # start or crashed, and a sound run prints none.
      echo "export WINEDEBUG=\${WINEDEBUG:--all,err+all}"
      echo "export WINEDLLOVERRIDES='mscoree,mshtml='"
      # The locale is handed to the Windows programs only (see run); bash
      # itself would complain that it is not installed, which Wine does not
      # need.
      echo "GLINTRA_WINE_LOCALE=ja_JP.UTF-8"
    } >>"$state/env"
    # shellcheck disable=SC1091
    ( . "$state/env"
      "$(wineserver_bin)" -p </dev/null >/dev/null 2>&1 9<&-
      # Boot the prefix here, detached from any pipe: the services that the
      # first Wine program starts live as long as the wineserver and keep
      # that program's standard error open.
      setsid "$(wine64_bin)" wineboot </dev/null >/dev/null 2>&1 9<&- || true )
  fi
}

# Ends the program of `isolate` (its process group), if it is still the one
# that was started.
kill_program() {
  local state=$1
  [ -f "$state/program" ] || return 0
  local pid start
  read -r pid start <"$state/program"
  if [ -n "$pid" ] && [ "$(process_start "$pid")" = "$start" ]; then
    kill -TERM -- "-$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 -- "-$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL -- "-$pid" 2>/dev/null || true
  fi
  rm -f "$state/program"
}

stop_env() {
  local state=$1
  [ -d "$state" ] || return 0
  kill_program "$state"
  if [ -f "$state/env" ]; then
    # shellcheck disable=SC1091
    ( . "$state/env"
      if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        "$(wineserver_bin)" -k >/dev/null 2>&1 || true
        timeout 20 "$(wineserver_bin)" -w >/dev/null 2>&1 || true
        # The folder of the server's socket, named after the prefix's device
        # and inode, stays behind with a lock file in it.
        server=$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))
        rm -rf "/tmp/.wine-$(id -u)/$server" /tmp/wine-*/"$server"
      fi
      # The nested server before the outer one, each only if it is still
      # the process that was started.
      for server in "${OPENBOX_PID:-}:openbox" "${XEPHYR_PID:-}:Xephyr" "${XVFB_PID:-}:Xvfb"; do
        pid=${server%%:*}
        [ -n "$pid" ] && grep -qa "${server#*:}" "/proc/$pid/cmdline" 2>/dev/null || continue
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null || true
      done ) || true
  fi
}

# A process's start time in clock ticks since boot: with the pid, it names
# one process even after the pid has been used again. Nothing for a process
# that has ended, a zombie (killed, not yet reaped) included.
process_start() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 0
  stat=${stat##*) }
  [ "${stat%% *}" = Z ] && return 0
  echo "$stat" | cut -d' ' -f20
}

# ---- Running programs -----------------------------------------------------

# Z: paths for Windows programs, which see the Unix root as drive Z:.
windows_path() { local p=${1//\//\\}; echo "Z:$p"; }

is_windows_program() {
  case $1 in *.exe|*.dll|*.scr|*.EXE|*.DLL|*.SCR) return 0 ;; *) return 1 ;; esac
}

# Runs PROGRAM inside the environment whose env file is sourced already.
# Wine's helpers (the desktop's explorer.exe, services) inherit a Windows
# program's standard error and may outlive it; ctest would then wait on its
# pipe until the time-out. So a Windows program writes to a file, which is
# streamed out until the program ends.
run_program() {
  if is_windows_program "$1"; then
    for var in GLINTRA_SOURCE_DIR GLINTRA_BIN_DIR; do
      if [ -n "${!var:-}" ]; then export "$var=$(windows_path "${!var}")"; fi
    done
    if [ -n "${TEST_PREMATURE_EXIT_FILE:-}" ]; then
      export TEST_PREMATURE_EXIT_FILE
      TEST_PREMATURE_EXIT_FILE=$(windows_path "$TEST_PREMATURE_EXIT_FILE")
    fi
    local out
    out=$(mktemp "${TMPDIR:-/tmp}/glintra-run.XXXXXX")
    LC_ALL=${GLINTRA_LOCALE:-$GLINTRA_WINE_LOCALE} "$(wine64_bin)" "$@" </dev/null >"$out" 2>&1 &
    local pid=$!
    # shellcheck disable=SC2064
    trap "kill $pid 2>/dev/null || true; rm -f '$out'" EXIT
    tail -n +1 -s 0.1 -f --pid="$pid" "$out" || true
    local rc=0
    wait "$pid" || rc=$?
    rm -f "$out"
    trap - EXIT
    return "$rc"
  fi
  "$@"
}

case $cmd in
isolate)
  root=$(absolute "$1")
  shift
  want_display=0 template="" screen="1280x720" monitors="" lock=0
  while [ $# -gt 0 ]; do
    case $1 in
      --display) want_display=1; shift ;;
      --wine) want_display=1; template=$(absolute "$2"); shift 2 ;;
      --screen) screen=$2; shift 2 ;;
      --monitors) want_display=1; monitors=$2; shift 2 ;;
      --lock) lock=1; shift ;;
      --) shift; break ;;
      *) usage ;;
    esac
  done
  [ $# -ge 1 ] || usage
  program=$(basename "$1")
  if [ "$lock" = 1 ]; then take_fixed_path_lock "$program"; fi
  mkdir -p "$root"
  state=$(mktemp -d "$root/env.XXXXXX")
  echo "$$ $(process_start $$)" >"$state/owner"
  cleanup() { stop_env "$state"; rm -rf "$state"; }
  trap cleanup EXIT
  trap 'exit 143' TERM
  trap 'exit 130' INT
  trap 'exit 129' HUP
  : >"$state/env"
  if [ "$want_display" = 1 ] || [ -n "$template" ]; then
    start_env "$state" "$want_display" "$template" "$screen" "$monitors" ||
      { echo "test-env: no environment for $program" >&2; exit 125; }
  fi
  # shellcheck disable=SC1091
  . "$state/env"
  export GLINTRA_TEST_ENV_STATE=$state
  # GoogleTest makes this file when its run starts and removes it when the
  # run has finished.
  export TEST_PREMATURE_EXIT_FILE=$state/premature-exit
  # Its own process group, so that everything it starts can be ended with it.
  setsid "$0" run "$state" -- "$@" &
  pid=$!
  echo "$pid $(process_start "$pid")" >"$state/program"
  rc=0
  wait "$pid" || rc=$?
  rm -f "$state/program"
  if [ "$rc" = 0 ] && [ -e "$state/premature-exit" ]; then
    echo "test-env: $program ended with status 0 in the middle of its tests (something called exit or ExitProcess): counted as a failure" >&2
    rc=1
  fi
  exit "$rc"
  ;;
locked)
  [ "${1:-}" = "--" ] && shift
  take_fixed_path_lock "$(basename "$1")"
  exec "$@"
  ;;
sweep|prepare)
  root=$(absolute "$1")
  template=""
  [ "$cmd" = prepare ] && [ "${2:-}" = --wine ] && template=$(absolute "$3")
  for state in "$root"/env.*; do
    [ -d "$state" ] || continue
    if [ -f "$state/owner" ]; then
      read -r pid start <"$state/owner"
      [ "$(process_start "$pid")" = "$start" ] && continue  # still running
    elif [ -n "$(find "$state" -maxdepth 0 -newermt '-1 minute')" ]; then
      continue  # being made right now
    fi
    echo "test-env: removing the environment of a test that was killed: $state" >&2
    stop_env "$state"
    rm -rf "$state"
  done
  if [ -n "$template" ]; then ensure_template "$template"; fi
  ;;
start)
  state=$(absolute "$1")
  shift
  template="" screen="1280x720" monitors=""
  while [ $# -gt 0 ]; do
    case $1 in
      --wine) template=$(absolute "$2"); shift 2 ;;
      --screen) screen=$2; shift 2 ;;
      --monitors) monitors=$2; shift 2 ;;
      *) usage ;;
    esac
  done
  stop_env "$state"
  rm -rf "$state"
  start_env "$state" 1 "$template" "$screen" "$monitors"
  # shellcheck disable=SC1091
  echo "test-env: display $(. "$state/env"; echo "$DISPLAY")${template:+, Wine prefix ready}" >&2
  ;;
run)
  state=$(absolute "$1")
  shift
  [ "${1:-}" = "--" ] && shift
  [ $# -ge 1 ] || usage
  [ -f "$state/env" ] || { echo "test-env: no environment in $state" >&2; exit 125; }
  # shellcheck disable=SC1091
  . "$state/env"
  run_program "$@"
  ;;
stop)
  state=$(absolute "$1")
  stop_env "$state"
  rm -rf "$state"
  ;;
shell)
  # shellcheck disable=SC1091
  . "$(absolute "$1")/env"
  exec "${SHELL:-bash}" -i
  ;;
*) usage ;;
esac
