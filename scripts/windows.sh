#!/usr/bin/env bash
# windows.sh [build folder]: installs what the Windows build needs from Debian, cross-builds
# Kestrel and Plover for 64-bit Windows with MinGW-w64, runs their tests under Wine on a headless
# X server and builds the installer Kestrel-setup.exe. Default folder: build-win.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-win}")

packages=(
    cmake ninja-build ccache g++-mingw-w64-x86-64-posix mingw-w64-tools
    wine wine64 xvfb xauth socat nsis librsvg2-bin googletest
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

step() { printf '== %s (%ds)\n' "$1" "$SECONDS"; }

step "cross build"
# -O2 as in the Linux builds: GCC 12 at -O3 warns falsely about std::string copies (-Wrestrict).
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DKESTREL_WITH_QT=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"

# A Wine session of its own: prefix in the build folder, no debug output, no Mono or Gecko
# prompts, a virtual desktop (without a window manager hiding a window would stall), and an X
# server of its own.
export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
display=99
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
export DISPLAY=":$display"
pids=()
cleanup() {
    wineserver -k 2>/dev/null || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)

# Two pairs of pseudo-terminals joined like null-modem cables, seen by Windows programs as
# COM5-COM6 and COM7-COM8 through Wine's port map.
ports="$build/ports"
mkdir -p "$ports"
for pair in "5 6" "7 8"; do
    set -- $pair
    socat "pty,raw,echo=0,link=$ports/COM$1" "pty,raw,echo=0,link=$ports/COM$2" &
    pids+=($!)
done

step "Wine session"
mkdir -p "$WINEPREFIX"
fresh=0
[ -f "$WINEPREFIX/system.reg" ] || fresh=1
wineserver -p
if [ $fresh -eq 1 ]; then
    wineboot -i </dev/null >/dev/null 2>&1
fi
cat >"$build/wine-settings.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="1280x1024"

[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]
"COM5"="$ports/COM5"
"COM6"="$ports/COM6"
"COM7"="$ports/COM7"
"COM8"="$ports/COM8"
REG
wine regedit "$build/wine-settings.reg" </dev/null >/dev/null 2>&1
# The port map is read when the session starts; the desktop is kept up for the whole run, or each
# test program would wait seconds for it.
wineserver -k || true
wineserver -p
wineboot </dev/null >/dev/null 2>&1
setsid wine explorer /desktop=Default,1280x1024 </dev/null >/dev/null 2>&1 &
pids+=($!)

step "tests under Wine"
export KESTREL_TEST_PORTS=COM5,COM6
(cd "$build" && ctest --output-on-failure --timeout 300)

step "done"
