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

# Copies a font that Wine bundles into the prefix's Fonts folder.
_ui_copy_wine_font() {
  local name=$1 dir src
  for dir in /usr/share/wine/fonts /usr/lib/x86_64-linux-gnu/wine /usr/lib/wine; do
    src=$(find "$dir" -maxdepth 3 -iname "$name" -print -quit 2>/dev/null)
    if [ -n "$src" ]; then
      cp -f "$src" "$WINEPREFIX/drive_c/windows/Fonts/$name"
      return 0
    fi
  done
  ui_warn "Wine font $name not found"
}

# Creates the private prefix build/wineprefix once (wineboot, fonts) and
# exports WINEPREFIX. Needs DISPLAY.
ui_prepare_prefix() {
  export WINEPREFIX="$UI_PREFIX"
  [ -f "$WINEPREFIX/.ui-ready" ] && return 0
  ui_say "creating Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >"$UI_BUILD/wineboot.log" 2>&1 || {
    cat "$UI_BUILD/wineboot.log" >&2
    ui_die "wineboot failed"
  }
  wineserver -w
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  local f
  for f in tahoma.ttf tahomabd.ttf symbol.ttf; do _ui_copy_wine_font "$f"; done
  # Without a window manager, Wine's managed windows wait about 2 s whenever
  # an activated window is hidden or destroyed; unmanaged windows do not.
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="N"\n' \
    >"$UI_BUILD/wine-x11.reg"
  wine regedit "$UI_BUILD/wine-x11.reg" >"$UI_BUILD/regedit.log" 2>&1 || ui_die "regedit failed"
  wineserver -w
  touch "$WINEPREFIX/.ui-ready"
}

# A persistent wineserver for the prefix: the test programs start one after
# another without paying the server's start each time.
ui_start_wineserver() {
  wineserver -p || ui_die "wineserver -p failed"
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
