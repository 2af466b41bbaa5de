# shellcheck shell=bash
# Shared helpers of scripts/test and scripts/demo: paths, messages and the
# installation of missing tools on Debian. Source it; it defines functions only.

# Repository root: the folder above scripts/.
UI_REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
UI_BUILD="$UI_REPO/build"

ui_say()  { printf '==> %s\n' "$*"; }
ui_warn() { printf 'warning: %s\n' "$*" >&2; }
ui_die()  { printf 'error: %s\n' "$*" >&2; exit 1; }

# ui_run CMD...: runs a long step (build, test run) in a session of its own
# and waits for it. The wait ends at once on a signal, so the script's traps
# run; ui_stop_child then stops that step with everything it started.
UI_CHILD_PID=""
ui_run() {
  local rc
  setsid "$@" &
  UI_CHILD_PID=$!
  wait "$UI_CHILD_PID"
  rc=$?
  UI_CHILD_PID=""
  return "$rc"
}

ui_stop_child() {
  if [ -n "$UI_CHILD_PID" ]; then
    kill -TERM -- "-$UI_CHILD_PID" 2>/dev/null
    wait "$UI_CHILD_PID" 2>/dev/null
    UI_CHILD_PID=""
  fi
}

# Runs a command as root: directly when we are root, else through sudo.
ui_as_root() {
  if [ "$(id -u)" = 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    ui_die "need root or sudo to run: $*"
  fi
}

# ui_require "check:package" ...: a check is a command name, an absolute path
# or "@" and a package name (installed per dpkg); its Debian package is
# installed when the check fails. apt-get update runs once, and only when
# something is missing.
ui_require() {
  local item check pkg missing=()
  for item in "$@"; do
    check=${item%%:*}
    pkg=${item#*:}
    if [[ $check == @* ]]; then
      [ "$(dpkg-query -W -f='${db:Status-Status}' "${check#@}" 2>/dev/null)" = installed ] && continue
    elif [[ $check == /* ]]; then
      [ -e "$check" ] && continue
    else
      command -v "$check" >/dev/null 2>&1 && continue
    fi
    [[ " ${missing[*]} " == *" $pkg "* ]] || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  command -v apt-get >/dev/null 2>&1 ||
    ui_die "missing packages and no apt-get to install them: ${missing[*]}"
  ui_say "installing ${missing[*]}"
  ui_as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq ||
    ui_die "apt-get update failed"
  ui_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" ||
    ui_die "apt-get install failed: ${missing[*]}"
}

# What the Windows build and its test run need.
ui_require_windows_tools() {
  ui_require cmake:cmake \
             x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix \
             x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64 \
             /usr/src/googletest/CMakeLists.txt:googletest \
             wine:wine @wine64:wine64 wineserver:wine \
             Xvfb:xvfb xdpyinfo:x11-utils \
             /usr/share/wine/fonts/tahoma.ttf:fonts-wine
}

# What the native sanitizer build needs.
ui_require_native_tools() {
  ui_require cmake:cmake g++:g++ /usr/src/googletest/CMakeLists.txt:googletest
}
