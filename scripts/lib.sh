# Shared by scripts/test and scripts/run: packages, display, Wine prefix.
# Source it; it defines functions only (and TV_ROOT).

TV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TV_STARTED_XVFB=""
TV_STARTED_WINESERVER=""

# The packaged programs come first: a same-named wrapper earlier in PATH (a convert that is
# not ImageMagick's, a newer cmake of one's own) must neither stand in for a missing package
# nor be run in place of an installed one.
export PATH="/usr/bin:/bin:/usr/sbin:/sbin${PATH:+:$PATH}"

tv_log() { printf '== %s\n' "$*" >&2; }

tv_as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; elif command -v sudo >/dev/null; then sudo "$@"; else "$@"; fi
}

# What the scripts and builds use: package, a file it installs, and optionally how the
# program there names itself (flag, word its output must contain).
TV_PACKAGES=(
  "cmake /usr/bin/cmake --version cmake"
  "ninja-build /usr/bin/ninja"
  "g++-mingw-w64-x86-64-posix /usr/bin/x86_64-w64-mingw32-g++-posix --version mingw32"
  "wine64 /usr/lib/wine/wine64"
  "wine /usr/bin/wine-stable"
  "xvfb /usr/bin/Xvfb"
  "x11-utils /usr/bin/xdpyinfo"
  "xdotool /usr/bin/xdotool"
  "imagemagick /usr/bin/import -version ImageMagick"
  "fonts-wqy-microhei /usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
  "googletest /usr/src/googletest/CMakeLists.txt"
  "clang /usr/bin/clang++ --version clang"
  "libbenchmark-dev /usr/include/benchmark/benchmark.h"
  "zlib1g-dev /usr/include/zlib.h"
  "python3 /usr/bin/python3 --version Python"
)

# Whether dpkg has the package installed (any architecture). Without dpkg, the file decides.
tv_package_installed() {
  [ -x /usr/bin/dpkg-query ] || return 0
  case "$(/usr/bin/dpkg-query -W -f='${Status}\n' "$1" 2>/dev/null)" in
    *" ok installed"*) return 0 ;;
    *) return 1 ;;
  esac
}

# Prints, one a line, the packages that are not there or not what they claim to be.
tv_missing_packages() {
  local entry pkg path flag word says
  for entry in "${TV_PACKAGES[@]}"; do
    read -r pkg path flag word <<<"$entry"
    if ! tv_package_installed "$pkg" || [ ! -e "$path" ]; then
      echo "$pkg"
    elif [ -n "$flag" ]; then
      says=$("$path" "$flag" 2>/dev/null </dev/null)
      case "$says" in *"$word"*) ;; *) echo "$pkg" ;; esac
    fi
  done
}

# Installs whatever is missing. apt-get update runs once, and only when needed.
tv_ensure_packages() {
  local need
  need=$(tv_missing_packages)
  [ -z "$need" ] && return 0
  # shellcheck disable=SC2086  # one word per package
  tv_log "installing:" $need
  # A failing mirror need not stop the install; what is still missing afterwards does.
  tv_as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
  # shellcheck disable=SC2086
  tv_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $need
  need=$(tv_missing_packages)
  if [ -n "$need" ]; then
    # shellcheck disable=SC2086
    tv_log "still missing after apt-get:" $need
    return 1
  fi
}

tv_wine() { /usr/lib/wine/wine64 "$@"; }

# Starts Xvfb when no display is given.
tv_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in $(seq 90 130); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  TV_STARTED_XVFB=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  tv_log "Xvfb did not start on $DISPLAY"
  return 1
}

# One prefix per checkout (build/wineprefix), made once: virtual desktop, CJK font substitutes.
tv_wine_env() {
  export WINEPREFIX="${TV_WINEPREFIX:-$TV_ROOT/build/wineprefix}"
  export WINEDEBUG=-all
  export WINEARCH=win64
  export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
  if [ ! -f "$WINEPREFIX/.tovalin-ready" ]; then
    tv_log "creating Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    tv_wine wineboot -i >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w
    local reg="$TV_ROOT/build/tovalin-prefix.reg"
    {
      printf 'Windows Registry Editor Version 5.00\r\n\r\n'
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1280x1024"\r\n\r\n'
      printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
      printf '"宋体"="WenQuanYi Micro Hei"\r\n"SimSun"="WenQuanYi Micro Hei"\r\n"新宋体"="WenQuanYi Micro Hei"\r\n\r\n'
    } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
    tv_wine regedit /S "$(tv_wine winepath -w "$reg" 2>/dev/null | tr -d '\r')" >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.tovalin-ready"
  fi
  # Wine's caption glyphs need Marlett inside the prefix.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [ -f "$fonts/marlett.ttf" ] || cp /usr/share/wine/fonts/marlett.ttf "$fonts/" 2>/dev/null || true
  # One wineserver for all test programs; wineboot starts Wine's own services and the
  # virtual desktop now, with their output detached, so that no test's pipes stay open.
  /usr/lib/wine/wineserver -p >/dev/null 2>&1 || true
  TV_STARTED_WINESERVER=1
  tv_wine wineboot >/dev/null 2>&1 </dev/null || true
}

tv_cleanup() {
  if [ -n "$TV_STARTED_WINESERVER" ] && [ -n "${WINEPREFIX:-}" ]; then
    /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "$TV_STARTED_XVFB" ]; then
    kill "$TV_STARTED_XVFB" >/dev/null 2>&1 || true
    wait "$TV_STARTED_XVFB" 2>/dev/null || true
  fi
}

tv_configure_build() {  # preset
  local preset=$1
  if [ ! -f "$TV_ROOT/build/$preset/build.ninja" ]; then
    cmake --preset "$preset" -S "$TV_ROOT" >/dev/null
  fi
  cmake --build --preset "$preset"
}
