# Sourced by the other scripts: a Wine prefix of the project's own, made once, with Wine's crash dialog
# off so that a crashing child reports its exit code instead of waiting for a click, and the in-process
# test programs' windows unmanaged: with no window manager on a virtual display, Wine otherwise waits
# two seconds for an answer each time one of their windows is hidden.
#
# Some kernels are built or booted without 32-bit support ("ia32_emulation=off"): there Wine's 32-bit
# loader cannot start at all. The scripts then build the same sources for 64-bit Windows as well, run
# that build's tests and programs under Wine's 64-bit loader, and say so. The shipped program is always
# the 32-bit build in build/windows.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d"

# Whether this machine runs 32-bit programs: natively, or through an emulator the machine itself set up.
# (The smoke test's own emulator entry lives in a namespace of its own, which these scripts never see.)
runs_32bit_programs() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Whether the kernel runs 32-bit x86 programs at all, with or without Wine's 32-bit loader installed: a
# 93-byte static 32-bit program that only exits, run once.
kernel_runs_32bit_programs() {
  local probe="$root/build/probe-i386"
  mkdir -p "$root/build"
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00'\
'\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00'\
'\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00'\
'\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
}

if ! runs_32bit_programs && [ -x /usr/lib/wine/wine64 ]; then
  windows_arch=x86_64
  run_build="$root/build/windows64"
  # "wine" and "wine-stable" (which winepath calls) on PATH go straight to the 64-bit loader.
  mkdir -p "$root/build/wine64-loader"
  for name in wine wine-stable; do
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$root/build/wine64-loader/$name"
    chmod +x "$root/build/wine64-loader/$name"
  done
  export PATH="$root/build/wine64-loader:$PATH"
  export WINELOADER=/usr/lib/wine/wine64
else
  windows_arch=i686
  run_build="$root/build/windows"
fi
# The prefix of the build chosen here, unless the caller named one. Read before Wine was installed (test.sh reads
# this file again after installing it), the file chose the 32-bit build: its prefix follows the build chosen now.
if [ -z "${WINEPREFIX:-}" ] || [ "$WINEPREFIX" = "${quarvel_chosen_prefix:-}" ]; then
  quarvel_chosen_prefix="$root/build/wineprefix-$windows_arch"
  export WINEPREFIX="$quarvel_chosen_prefix"
fi

# Configures and builds the Windows build that runs on this machine (targets as arguments, or all).
build_runnable_windows() {
  if [ "$windows_arch" = x86_64 ]; then
    echo "32-bit programs do not run here: the tests and programs run from a 64-bit build ($run_build)."
    cmake -S "$root" -B "$run_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
    cmake --build "$run_build" ${1:+--target "$@"}
  fi
}

# Wine here finds its own fonts (package fonts-wine) only in the prefix's Fonts folder; without them every
# face falls back to a much wider one, captions are cut off and title bars show letters for their buttons.
prepare_wine_prefix() {
  if [ ! -f "$WINEPREFIX/.quarvel-ready-5" ]; then
    echo "Preparing the Wine prefix $WINEPREFIX (about 20 s the first time)..."
    mkdir -p "$WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1
    wine regedit /S "$root/scripts/wine-settings.reg" >/dev/null 2>&1
    wineserver -w
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    # A CJK font under the file name that Wine's links from Tahoma look for (see wine-settings.reg).
    cp /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$WINEPREFIX/drive_c/windows/Fonts/msgothic.ttc"
    touch "$WINEPREFIX/.quarvel-ready-5"
  fi
}

# One test run at a time in this checkout: a second would rebuild the programs the first is running and end
# its Wine (wineserver -k) when it stops. It waits for the first to end.
hold_test_lock() {
  mkdir -p "$root/build"
  exec 9>"$root/build/.test-run.lock"
  if ! flock -n 9; then
    echo "Another test run is using $root/build; waiting for it to end..."
    flock 9
  fi
}

# Starts a virtual display of our own and points DISPLAY at it; stop_virtual_display ends it. The server
# picks a free number itself (-displayfd): a lock-file check first and a look at the display after is a race
# that two runs starting together lose, the second one's server dying as the number is taken and its tests
# then driving the first one's display, where two Wine servers take the keyboard focus from each other.
start_virtual_display() {
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  virtual_display_pid=$!
  for _ in $(seq 100); do
    if [ -s "$number_file" ]; then
      export DISPLAY=":$(tr -d '\n' <"$number_file")"
      rm -f "$number_file"
      xdpyinfo >/dev/null 2>&1 && return 0
      break
    fi
    kill -0 "$virtual_display_pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$number_file"
  kill "$virtual_display_pid" 2>/dev/null || true
  echo "Could not start a virtual display" >&2
  return 1
}

stop_virtual_display() {
  wineserver -k 2>/dev/null || true
  [ -n "${vnc_server_pid:-}" ] && kill "$vnc_server_pid" 2>/dev/null || true
  [ -n "${virtual_display_pid:-}" ] && kill "$virtual_display_pid" 2>/dev/null || true
}

# A VNC server on the virtual display, for this machine's own connections only (others come through ssh).
# Sets vnc_port to the first free port from 5900 on, or to nothing when the server did not start.
start_vnc_server() {
  local log="$root/build/x11vnc.log"
  vnc_port=""
  x11vnc -display "$DISPLAY" -localhost -autoport 5900 -forever -shared -nopw -quiet >"$log" 2>&1 &
  vnc_server_pid=$!
  for _ in $(seq 50); do
    vnc_port=$(sed -n 's/^PORT=//p' "$log")
    [ -n "$vnc_port" ] && return 0
    kill -0 "$vnc_server_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "The VNC server did not start (see $log)." >&2
}

# How to look at the virtual display (DISPLAY, VNC port or nothing). Each command is marked "$ " and
# said where it runs; what runs here uses only what "install-deps.sh start" installed.
virtual_display_hint() {
  echo "No DISPLAY was set: the front-end runs on the virtual display $1."
  if [ -n "$2" ]; then
    echo "A VNC server shows it on port $2 of this machine, to local connections only. To see and use it"
    echo "  from your own computer, with a VNC viewer (e.g. Debian's tigervnc-viewer):"
    echo "    \$ ssh -f -L $2:localhost:$2 $(id -un)@$(hostname) sleep 10 && vncviewer localhost:$2"
  fi
  echo "  A screenshot, on this machine:"
  echo "    \$ python3 $root/scripts/screenshot.py $1 screen.png"
}
