# Shared set-up for the scripts and the end-to-end test: packages, builds and Wine prefixes.
# The build functions expect the repository root as the working directory (CMake's presets).

# Everything the build and the tests need, as Debian 12 packages.
TILU_PACKAGES=(
    cmake g++ make googletest
    g++-mingw-w64-x86-64-posix
    wine64 xvfb xauth xdotool x11-utils python3-xlib
    icoutils imagemagick
)

TILU_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
TILU_JOBS=$(nproc 2>/dev/null || echo 2)
# The cross build's directory (relative ones under TILU_ROOT) and the program in it.
TILU_BUILD_DIR=${TILU_BUILD_DIR:-build/windows}
[[ $TILU_BUILD_DIR = /* ]] || TILU_BUILD_DIR=$TILU_ROOT/$TILU_BUILD_DIR
TILU_PROGRAM="$TILU_BUILD_DIR/app/Administrador de historial Tilu.exe"

# Wine quiet and without the Mono and Gecko download offers, for every Wine command run from here.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="

log() { printf '==> %s\n' "$*"; }

# What scripts/release needs: the cross compiler and the build tools, no Wine.
TILU_RELEASE_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix)

# ensure_packages [PACKAGE...]: installs the missing ones of these (default: TILU_PACKAGES) when
# run as root; otherwise prints the command to run as root and stops.
ensure_packages() {
    local missing=() p
    [ $# -gt 0 ] || set -- "${TILU_PACKAGES[@]}"
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages: ${missing[*]}"
        # Not sudo: a Debian installed with a root password has none.
        echo "Install them as root (for example after su -), then run this again:"
        echo "    apt-get update && apt-get install -y ${missing[*]}"
        exit 1
    fi
    log "installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}" >/dev/null
}

# make_prefix DIR: creates a Wine prefix at DIR unless it exists already. Returns 0 if it was
# created now, 1 if it was there before.
make_prefix() {
    local dir=$1
    [ -f "$dir/system.reg" ] && return 1
    mkdir -p "$dir"
    log "creating Wine prefix $dir"
    # Created without a display, so that no first-run window shows.
    WINEPREFIX=$dir env -u DISPLAY wineboot -i >/dev/null 2>&1 || true
    WINEPREFIX=$dir wineserver -w
    # Debian's Wine reads Marlett, the font of the title-bar buttons, only from the prefix.
    if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
        cp /usr/share/wine/fonts/marlett.ttf "$dir/drive_c/windows/Fonts/"
    fi
    return 0
}

# make_headless_prefix DIR [DPI]: a prefix at DPI (default 96) whose windows need no X server
# (Wine's null graphics driver), for in-process window tests.
make_headless_prefix() {
    local dir=$1 dpi=${2:-96}
    make_prefix "$dir" || true
    # Also a prefix that a bare `ctest` made first (Wine creates one on first use): without the
    # null driver its window tests would need an X server.
    if ! grep -q '^"Graphics"="null"' "$dir/user.reg" 2>/dev/null; then
        WINEPREFIX=$dir wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
        WINEPREFIX=$dir wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
        WINEPREFIX=$dir wineserver -w
    fi
}

# build_preset NAME: configures and builds one CMake preset.
build_preset() {
    local preset=$1
    log "configuring and building ($preset)"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$TILU_JOBS"
}

# build_targets TARGET...: configures the windows preset in TILU_BUILD_DIR and builds only these
# targets.
build_targets() {
    log "building $* in $TILU_BUILD_DIR"
    cmake --preset windows -B "$TILU_BUILD_DIR" >/dev/null
    cmake --build "$TILU_BUILD_DIR" --target "$@" -j "$TILU_JOBS" >/dev/null
}
