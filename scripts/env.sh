# Sourced by the other scripts: where things live and which Wine runs here.
# Tests, benchmarks and the soak run on x86_64 always and on i686 too
# wherever this machine can execute 32-bit Wine; the demo and the tour run
# the shipped 32-bit build there, the 64-bit one elsewhere. CORVIX_ARCH set
# to i686 or x86_64 narrows every command to that one.

CORVIX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
CORVIX_BUILD="$CORVIX_ROOT/build"

corvix_can_run_wine32() {
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# The architectures a run covers, the 64-bit one first: it runs everywhere.
corvix_archs() {
    if [ -n "${CORVIX_ARCH:-}" ]; then echo "$CORVIX_ARCH"
    elif corvix_can_run_wine32; then echo "x86_64 i686"
    else echo x86_64
    fi
}

corvix_pick_arch() {
    if [ -n "${CORVIX_ARCH:-}" ]; then return; fi
    if corvix_can_run_wine32; then CORVIX_ARCH=i686; else CORVIX_ARCH=x86_64; fi
}

# Sets WINE, WINESERVER, WINEPREFIX, WINEARCH and the quiet defaults for one arch.
# With CORVIX_ON_DISPLAY set the prefix is one without a virtual desktop, so
# windows open as ordinary windows on a real display.
corvix_wine_env() {
    local arch=$1
    local suffix=""
    [ -n "${CORVIX_ON_DISPLAY:-}" ] && suffix="-display"
    if [ "$arch" = i686 ]; then
        WINE=/usr/lib/wine/wine
        WINESERVER=/usr/lib/wine/wineserver32
        export WINEARCH=win32 WINEPREFIX="$CORVIX_BUILD/wine32$suffix"
        CORVIX_BIN="$CORVIX_BUILD/bin"
    else
        WINE=/usr/lib/wine/wine64
        WINESERVER=/usr/lib/wine/wineserver64
        export WINEARCH=win64 WINEPREFIX="$CORVIX_BUILD/wine64$suffix"
        CORVIX_BIN="$CORVIX_BUILD/bin64"
    fi
    export WINELOADER=$WINE WINESERVER
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES="mscoree,mshtml="
}

# Starts a private Xvfb and exports DISPLAY; CORVIX_XVFB_PID is set for the caller's trap.
corvix_start_xvfb() {
    local n=91
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    CORVIX_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
        [ -S "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
    done
    if [ ! -S "/tmp/.X11-unix/X$n" ]; then
        echo "corvix: Xvfb did not start on :$n; GUI tests need a display" >&2
        return 1
    fi
    export DISPLAY=":$n"
}

# One wineserver for the whole run, detached from every pipe, then warmed once.
corvix_start_wineserver() {
    "$WINESERVER" -p </dev/null >/dev/null 2>&1
    "$WINE" cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
}

# Xvfb and the wineserver for this command, both stopped when it exits.
corvix_start_session() {
    trap corvix_stop_session EXIT
    corvix_start_xvfb
    corvix_start_wineserver
}

corvix_stop_session() {
    [ -n "${WINESERVER:-}" ] && "$WINESERVER" -k >/dev/null 2>&1 || true
    [ -n "${CORVIX_XVFB_PID:-}" ] && kill "$CORVIX_XVFB_PID" 2>/dev/null || true
}

# Set-up, a build of the target this machine runs, and its Wine environment:
# the common start of the demo and tour commands.
corvix_prepare_runnable() {
    "$CORVIX_ROOT/scripts/setup.sh"
    corvix_pick_arch
    "$CORVIX_ROOT/scripts/build.sh" "$CORVIX_ARCH"
    corvix_wine_env "$CORVIX_ARCH"
}

# Runs "$@" once per architecture of corvix_archs, each in a session of its
# own (Xvfb, wineserver) with its Wine environment set; the exit status is
# the first failure's, after every architecture ran. "$@" returns its own
# status: set -e does not reach inside it here.
corvix_each_arch() {
    local arch status=0 rc
    for arch in $(corvix_archs); do
        rc=0
        ( corvix_wine_env "$arch" && corvix_start_session && "$@" "$arch" ) || rc=$?
        [ $status -ne 0 ] || status=$rc
    done
    return $status
}
