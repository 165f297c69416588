# Shared by the scripts: the build folder, its Wine prefix and an Xvfb display.
# Source it; it defines functions and sets no traps of its own.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
JOBS=${JOBS:-$(nproc)}

export WINEPREFIX=$BUILD/wineprefix
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Gecko or Mono installer prompts in a fresh prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

configure_and_build() {
  if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" >/dev/null
  fi
  cmake --build "$BUILD" -j "$JOBS" "$@"
}

# A prefix of the build's own, made once and reused while the marker says
# it belongs to the Wine that is installed now.
ensure_prefix() {
  local marker=$WINEPREFIX/.setup-prefix
  local want
  want="$(wine --version) win32 unmanaged menu-colour-2"
  if [ -f "$marker" ] && [ "$(cat "$marker")" = "$want" ]; then
    return
  fi
  echo "prefix: creating $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$BUILD"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  # There is no window manager: Wine draws the captions itself, and does not
  # wait (two seconds a window) for a manager to withdraw a closed window.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # The pages are painted in the menu colour and their texts in the button
  # face colour; on Windows NT both are the same grey, in Wine's own scheme
  # the menu is white. Give the desktop the NT pairing.
  wine reg add 'HKCU\Control Panel\Colors' /v Menu /d '240 240 240' /f >/dev/null 2>&1
  wine reg add 'HKCU\Control Panel\Colors' /v ButtonFace /d '240 240 240' /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wineserver -w
  echo "$want" >"$marker"
}

XVFB_PID=
start_xvfb() {
  local size=${1:-1024x768x24}
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 7 -screen 0 "$size" -nolisten tcp 7>"$fdfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$fdfile" ] && break
    sleep 0.1
  done
  export DISPLAY=:$(head -n1 "$fdfile")
  rm -f "$fdfile"
}

stop_xvfb() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}

# One server for the whole run. The first Wine process also starts the
# prefix's services; they must not inherit a test runner's output pipes, or
# the runner waits for them to exit.
start_wineserver() {
  wineserver -p
  wine cmd /c exit >/dev/null 2>&1 </dev/null
}
stop_wineserver() { wineserver -k 2>/dev/null || true; }
