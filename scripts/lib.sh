# Shared by the scripts: the two widths, their build folders and Wine
# prefixes, and an Xvfb display. Source it; it defines functions and sets no
# traps of its own.
#
# The product is the 32-bit program (i686) in build/, run by 32-bit Wine in a
# win32 prefix. Some kernels refuse 32-bit programs altogether; there the same
# sources run as an x86-64 twin in build-x64/, under the 64-bit loader called
# directly (Debian's `wine` wrapper would pick the 32-bit one) in a win64
# prefix. SETUP_ARCH=i686 or SETUP_ARCH=x86_64 picks one width.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
JOBS=${JOBS:-$(nproc)}
WIDTHS=(i686 x86_64)

export WINEDEBUG=${WINEDEBUG:--all}
# No Gecko or Mono installer prompts in a fresh prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

build_dir_of() {
  case $1 in
    i686) echo "$ROOT/build" ;;
    x86_64) echo "$ROOT/build-x64" ;;
  esac
}

# WINE32_LOADER names another 32-bit loader. It is for trying the scripts as
# on a machine that refuses 32-bit programs (WINE32_LOADER=/bin/false).
loader_of() {
  case $1 in
    i686) echo "${WINE32_LOADER:-/usr/lib/wine/wine}" ;;
    x86_64) echo /usr/lib/wine/wine64 ;;
  esac
}

wine_arch_of() {
  case $1 in
    i686) echo win32 ;;
    x86_64) echo win64 ;;
  esac
}

# Whether this machine starts the width's Wine loader: a kernel without
# 32-bit support answers "Exec format error".
can_run() {
  "$(loader_of "$1")" --version >/dev/null 2>&1
}

# The widths to run here, one a line: SETUP_ARCH's, or every width the
# machine can run. Fails with a one-line reason when there is none.
runnable_widths() {
  local width found=0
  if [ -n "${SETUP_ARCH:-}" ]; then
    case $SETUP_ARCH in
      i686 | x86_64) ;;
      *)
        echo "SETUP_ARCH must be i686 or x86_64, not '$SETUP_ARCH'" >&2
        return 1
        ;;
    esac
    if ! can_run "$SETUP_ARCH"; then
      echo "SETUP_ARCH=$SETUP_ARCH, but this machine cannot start $(loader_of "$SETUP_ARCH")" >&2
      return 1
    fi
    echo "$SETUP_ARCH"
    return
  fi
  for width in "${WIDTHS[@]}"; do
    if can_run "$width"; then
      echo "$width"
      found=1
    fi
  done
  if [ "$found" = 0 ]; then
    echo "this machine can start neither $(loader_of i686) nor $(loader_of x86_64): no Wine to run the program under" >&2
    return 1
  fi
}

# The width that runs the program for a user: the product where it can run.
preferred_width() {
  local widths
  widths=$(runnable_widths) || return 1
  head -n1 <<<"$widths"
}

describe_width() {
  case $1 in
    i686) echo "the 32-bit product" ;;
    x86_64) echo "the x86-64 twin" ;;
  esac
}

# Makes the width's build folder, prefix and loader the current ones. The
# scripts and the tests call `wine`, `wineboot` and `winepath`; small
# commands of those names in the build folder take them to this width's
# loader.
use_width() {
  WIDTH=$1
  BUILD=$(build_dir_of "$WIDTH")
  WINE_LOADER=$(loader_of "$WIDTH")
  export WINEPREFIX=$BUILD/wineprefix
  export WINEARCH
  WINEARCH=$(wine_arch_of "$WIDTH")
  local bin=$BUILD/wine-bin
  mkdir -p "$bin"
  printf '#!/bin/sh\nexec %s "$@"\n' "$WINE_LOADER" >"$bin/wine"
  local tool
  for tool in wineboot winepath; do
    printf '#!/bin/sh\nexec %s %s.exe "$@"\n' "$WINE_LOADER" "$tool" >"$bin/$tool"
  done
  chmod +x "$bin"/*
  case ":$PATH:" in
    *":$bin:"*) ;;
    *) PATH=$bin:$(without_wine_bins "$PATH") ;;
  esac
  export PATH
}

# PATH without another width's wine-bin folder.
without_wine_bins() {
  local IFS=: part out=
  for part in $1; do
    case $part in */wine-bin) continue ;; esac
    out=${out:+$out:}$part
  done
  echo "$out"
}

toolchain_of() {
  echo "$ROOT/cmake/mingw-$1.cmake"
}

build_width() {
  local width=$1 dir
  shift
  dir=$(build_dir_of "$width")
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$(toolchain_of "$width")" >/dev/null
  fi
  cmake --build "$dir" -j "$JOBS" "$@"
}

# The tools built for this machine, in build-host: mkmedium, which lays out
# both widths' media, and its native tests.
HOST_BUILD=$ROOT/build-host
build_host_tools() {
  if [ ! -f "$HOST_BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT/mkmedium" -B "$HOST_BUILD" >/dev/null
  fi
  cmake --build "$HOST_BUILD" -j "$JOBS"
}

# Builds both widths: the twin must keep building wherever the product does.
configure_and_build() {
  local width
  build_host_tools
  for width in "${WIDTHS[@]}"; do
    build_width "$width" "$@"
  done
}

# The architecture a prefix was made for, from its registry ("win32",
# "win64"), or nothing when there is no prefix.
prefix_arch() {
  [ -f "$WINEPREFIX/system.reg" ] || return 0
  sed -n 's/^#arch=//p' "$WINEPREFIX/system.reg" | head -n1
}

# A prefix of the build's own, made once and reused while the marker says
# it belongs to the Wine that is installed now.
ensure_prefix() {
  local marker=$WINEPREFIX/.setup-prefix
  local want have
  have=$(prefix_arch)
  if [ -n "$have" ] && [ "$have" != "$WINEARCH" ]; then
    echo "$WINEPREFIX is a $have prefix, but $(describe_width "$WIDTH") needs $WINEARCH: remove that folder and run again" >&2
    return 1
  fi
  want="$(wine --version) $WINEARCH unmanaged menu-colour-2 system-folder"
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
  # Windows NT has a SYSTEM folder beside SYSTEM32, and the sample medium
  # installs into it; a 64-bit prefix lacks it.
  mkdir -p "$WINEPREFIX/drive_c/windows/system"
  if [ "$(prefix_arch)" != "$WINEARCH" ]; then
    echo "prefix: Wine did not make a $WINEARCH prefix in $WINEPREFIX" >&2
    return 1
  fi
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
