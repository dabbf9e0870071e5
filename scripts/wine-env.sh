# Sourced by the other scripts: a Wine prefix of the project's own, made once, with Wine's crash dialog
# off so that a crashing child reports its exit code instead of waiting for a click, and the in-process
# test programs' windows unmanaged: with no window manager on a virtual display, Wine otherwise waits
# two seconds for an answer each time one of their windows is hidden.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d"

prepare_wine_prefix() {
  if [ ! -f "$WINEPREFIX/.quarvel-ready-2" ]; then
    echo "Preparing the Wine prefix $WINEPREFIX (about 20 s the first time)..."
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wine regedit /S "$root/scripts/wine-settings.reg" >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.quarvel-ready-2"
  fi
}

# Starts a virtual display of our own and points DISPLAY at it; stop_virtual_display ends it.
start_virtual_display() {
  local number
  for number in $(seq 90 140); do
    [ -e "/tmp/.X${number}-lock" ] && continue
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    virtual_display_pid=$!
    export DISPLAY=":$number"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill "$virtual_display_pid" 2>/dev/null || true
  done
  echo "Could not start a virtual display" >&2
  return 1
}

stop_virtual_display() {
  wineserver -k 2>/dev/null || true
  [ -n "${virtual_display_pid:-}" ] && kill "$virtual_display_pid" 2>/dev/null || true
}
