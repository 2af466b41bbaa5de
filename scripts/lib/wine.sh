# shellcheck shell=bash
# A private X display and Wine prefix for running the Windows programs.
# Needs common.sh. Every process started here is remembered so that
# ui_wine_cleanup stops exactly those (never anything by name).

UI_XVFB_PID=""
UI_WINESERVER_STARTED=""
UI_PREFIX="$UI_BUILD/wineprefix"

# Wine must not ask to download Mono or Gecko: no dialog may wait on a
# display nobody looks at.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEDEBUG="${WINEDEBUG:--all}"

# ui_display_usable DISPLAY
ui_display_usable() {
  [ -n "$1" ] || return 1
  if command -v xdpyinfo >/dev/null 2>&1; then
    xdpyinfo -display "$1" >/dev/null 2>&1
  else
    local n=${1#:}; n=${n%%.*}
    [ -S "/tmp/.X11-unix/X$n" ]
  fi
}

# Starts Xvfb on the first free display number from 90 on and exports
# DISPLAY. Another starter may take the same number between our check and
# Xvfb's lock: then Xvfb exits and the next number is tried.
ui_start_xvfb() {
  local n tries=0 log="$UI_BUILD/xvfb.log"
  mkdir -p "$UI_BUILD"
  for ((n = 90; n < 200; n++)); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$log" 2>&1 &
    UI_XVFB_PID=$!
    for ((tries = 0; tries < 100; tries++)); do
      if ! kill -0 "$UI_XVFB_PID" 2>/dev/null; then
        wait "$UI_XVFB_PID" 2>/dev/null
        UI_XVFB_PID=""
        break
      fi
      if ui_display_usable ":$n"; then
        export DISPLAY=":$n"
        ui_say "Xvfb on $DISPLAY (pid $UI_XVFB_PID)"
        return 0
      fi
      sleep 0.1
    done
    if [ -n "$UI_XVFB_PID" ]; then
      kill "$UI_XVFB_PID" 2>/dev/null
      wait "$UI_XVFB_PID" 2>/dev/null
      UI_XVFB_PID=""
    fi
  done
  cat "$log" >&2
  ui_die "could not start Xvfb"
}

ui_stop_xvfb() {
  if [ -n "$UI_XVFB_PID" ]; then
    kill "$UI_XVFB_PID" 2>/dev/null
    wait "$UI_XVFB_PID" 2>/dev/null
    UI_XVFB_PID=""
  fi
}

# The prefix's set-up; a prefix made by an older set-up is made anew.
# Version 2: Wine's own fonts are no longer copied into the prefix's Fonts
# folder. With copies of Wine's Tahoma and Symbol there as well as the same
# files in Wine's data folder, Wine 8 draws the dialog texts with
# substitutes: the caption in a bitmap font, bold lines not bold, uneven gaps
# between words. A plain `wineboot -i` prefix with only those copies added
# draws the same substitutes; with only the X11 setting below it draws right.
UI_PREFIX_VERSION=2

# Creates the private prefix build/wineprefix once (wineboot and the X11
# driver setting below) and exports WINEPREFIX. Needs DISPLAY. scripts/test,
# scripts/demo (without a display) and bench/run all use it.
ui_prepare_prefix() {
  export WINEPREFIX="$UI_PREFIX"
  [ "$(cat "$WINEPREFIX/.ui-ready" 2>/dev/null)" = "$UI_PREFIX_VERSION" ] && return 0
  if [ -d "$WINEPREFIX" ]; then
    ui_say "making the Wine prefix $WINEPREFIX anew (older set-up)"
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    rm -rf "$WINEPREFIX"
  fi
  ui_say "creating Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >"$UI_BUILD/wineboot.log" 2>&1 || {
    cat "$UI_BUILD/wineboot.log" >&2
    ui_die "wineboot failed"
  }
  wineserver -w
  # Without a window manager, Wine's managed windows wait about 2 s whenever
  # an activated window is hidden or destroyed; unmanaged windows do not.
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="N"\n' \
    >"$UI_BUILD/wine-x11.reg"
  wine regedit "$UI_BUILD/wine-x11.reg" >"$UI_BUILD/regedit.log" 2>&1 || ui_die "regedit failed"
  wineserver -w
  echo "$UI_PREFIX_VERSION" >"$WINEPREFIX/.ui-ready"
}

# A persistent wineserver for the prefix: the test programs start one after
# another without paying the server's start each time.
ui_start_wineserver() {
  # A server left running for the prefix (a program run by hand) is stopped
  # first: ours must be the one that stops at the end.
  if ! wineserver -p 2>/dev/null; then
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    wineserver -p || ui_die "wineserver -p failed"
  fi
  UI_WINESERVER_STARTED=1
}

# Stops the server of our own prefix (and any program left in it).
ui_stop_wineserver() {
  if [ -n "$UI_WINESERVER_STARTED" ]; then
    WINEPREFIX="$UI_PREFIX" wineserver -k 2>/dev/null
    UI_WINESERVER_STARTED=""
  fi
}

ui_wine_cleanup() {
  ui_stop_wineserver
  ui_stop_xvfb
}
