#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, then makes the Wine prefix.
# Usage: scripts/setup.sh [--no-prefix]
set -euo pipefail
. "$(dirname "$0")/env.sh"

PACKAGES="cmake ninja-build g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix googletest
wine wine32:i386 wine64 fonts-wine xvfb x11-utils xdotool imagemagick doxygen"

missing_packages() {
    local p
    for p in $PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"
    elif command -v sudo >/dev/null; then sudo "$@"
    else return 1
    fi
}

install_packages() {
    local missing
    missing=$(missing_packages | tr '\n' ' ')
    [ -z "${missing// }" ] && return 0
    echo "corvix: installing $missing"
    if ! as_root true 2>/dev/null; then
        echo "corvix: missing packages: $missing" >&2
        echo "corvix: run as root or install sudo, or install them yourself:" >&2
        echo "  dpkg --add-architecture i386 && apt-get update && apt-get install --no-install-recommends $missing" >&2
        exit 1
    fi
    dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

reg_add() {
    "$WINE" reg add "$1" /v "$2" /t "$3" /d "$4" /f </dev/null >/dev/null 2>&1
}

# Quiet prefix: no Mono/Gecko prompt, no crash dialog, Wine's own fonts and,
# unless CORVIX_ON_DISPLAY is set, a virtual desktop.
make_prefix() {
    local arch=$1
    corvix_wine_env "$arch"
    [ -f "$WINEPREFIX/.corvix-ready" ] && return 0
    echo "corvix: creating the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i </dev/null >/dev/null 2>&1
    if [ -z "${CORVIX_ON_DISPLAY:-}" ]; then
        reg_add 'HKCU\Software\Wine\Explorer' Desktop REG_SZ Default
        reg_add 'HKCU\Software\Wine\Explorer\Desktops' Default REG_SZ 1280x1024
    fi
    reg_add 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0
    "$WINESERVER" -w
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    touch "$WINEPREFIX/.corvix-ready"
}

install_packages
if [ "${1:-}" != --no-prefix ]; then
    for arch in $(corvix_archs); do make_prefix "$arch"; done
fi
