# A private X display and Wine prefix for driving the real program with real X input.
# Sourced by tests/e2e/run, scripts/screenshots, scripts/bench-startup and (to seed its demo
# history) scripts/run; brings scripts/lib/common.sh with it. Every wait is bounded; every process
# started here is ended by xs_cleanup (install it with `trap xs_cleanup EXIT`).

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"

# Window titles, typed text and the seeded history are UTF-8 whatever the caller's locale is.
export LC_ALL=C.UTF-8

XS_TIMEOUT=${XS_TIMEOUT:-30}   # seconds for any single wait
XS_SCREEN=${XS_SCREEN:-1024x768}
XS_XVFB_PID=
XS_APP_PID=
XS_PEER_PID=
XS_DPI=96
XS_HISTORY_KEY='HKCU\Software\Microsoft\Internet Explorer\TypedURLs'
# Its twin since Windows 8: when each slot's address was typed.
XS_TIME_KEY="${XS_HISTORY_KEY}Time"

xs_die() {
    echo "error: $*" >&2
    exit 2
}

# Waits until a command succeeds, polling; fails after XS_TIMEOUT seconds.
#   xs_until DESCRIPTION COMMAND...
xs_until() {
    local what=$1 deadline=$((SECONDS + XS_TIMEOUT))
    shift
    until "$@"; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "timed out after ${XS_TIMEOUT}s waiting for $what" >&2
            return 1
        fi
        sleep 0.05
    done
}

# Starts Xvfb (XS_SCREEN) on a free display number and exports DISPLAY.
xs_start_x() {
    local fifo display
    fifo=$(mktemp -u /tmp/xs-display.XXXXXX)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${XS_SCREEN}x24" -nolisten tcp -noreset 3>"$fifo" \
        >/dev/null 2>&1 &
    XS_XVFB_PID=$!
    read -r -t 20 display <"$fifo" || true
    rm -f "$fifo"
    [ -n "$display" ] || xs_die "Xvfb did not start"
    export DISPLAY=":$display"
    xs_map_keysyms $XS_EXTRA_KEYSYMS || xs_die "could not extend the keyboard map"
}

# Characters the tests type that the server's default US map lacks, as keysym pairs (lower and
# upper case).
XS_EXTRA_KEYSYMS="ntilde:Ntilde"

# Puts each keysym pair on a keycode that has no symbols yet, once, before any Wine program
# starts. Without it xdotool maps a spare keycode for each such character and unmaps it again
# right after, and a busy Wine can read the map in between and lose the character. (Debian's
# xmodmap leaves Xvfb's map unchanged, so this goes through the core protocol directly.)
#   xs_map_keysyms LOWER:UPPER...
xs_map_keysyms() {
    /usr/bin/python3 - "$@" <<'PYTHON'
import sys
from Xlib import XK, display

d = display.Display()
first = d.display.info.min_keycode
count = d.display.info.max_keycode - first + 1
free = [first + i for i, syms in enumerate(d.get_keyboard_mapping(first, count)) if not any(syms)]
for pair, keycode in zip(sys.argv[1:], free):
    syms = [XK.string_to_keysym(name) for name in pair.split(":")]
    if 0 in syms:
        sys.exit("unknown keysym in " + pair)
    d.change_keyboard_mapping(keycode, [tuple(syms)])
d.sync()
known = {sym for syms in d.get_keyboard_mapping(first, count) for sym in syms}
missing = [p for p in sys.argv[1:] if XK.string_to_keysym(p.split(":")[0]) not in known]
sys.exit("not mapped: " + " ".join(missing) if missing else 0)
PYTHON
}

# Creates (once) a Wine prefix for X windows at DIR with the given DPI, and exports WINEPREFIX.
#   xs_use_prefix DIR DPI
xs_use_prefix() {
    local dir=$1 dpi=$2
    case "$dir" in
        /*) ;;
        *) xs_die "the Wine prefix path must be absolute: $dir" ;;
    esac
    export WINEPREFIX=$dir
    XS_DPI=$dpi
    make_prefix "$dir" || true  # already there
    local current
    current=$(awk '/^\[/ { inside = /^\[Control Panel\\\\Desktop\]/ }
                   inside && sub(/^"LogPixels"=dword:/, "") { print; exit }' "$dir/user.reg" 2>/dev/null)
    if [ -z "$current" ] || [ $((16#$current)) -ne "$dpi" ]; then
        wineserver -k 2>/dev/null || true
        xs_reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f ||
            xs_die "could not set the prefix's DPI"
        wineserver -w
    fi
}

# Starts the prefix's wine server, so that the first program starts as fast as later ones.
xs_start_wineserver() {
    wineserver -p >/dev/null 2>&1 </dev/null || true  # already running
    wine reg query 'HKCU\Control Panel\Desktop' /v LogPixels >/dev/null 2>&1 || true
}

# Starts a Windows program in the background; XS_APP_PID is its process.
#   xs_start_program EXE
xs_start_program() {
    wine "$1" >/dev/null 2>&1 &
    XS_APP_PID=$!
}

xs_program_running() {
    [ -n "$XS_APP_PID" ] && kill -0 "$XS_APP_PID" 2>/dev/null
}

xs_program_ended() {
    ! xs_program_running
}

# Waits until the program has ended; true when it did.
xs_wait_program_end() {
    xs_until "the program to end" xs_program_ended || return 1
    wait "$XS_APP_PID" 2>/dev/null || true
    XS_APP_PID=
}

# Ends the program if it still runs.
xs_stop_program() {
    if xs_program_running; then
        kill "$XS_APP_PID" 2>/dev/null || true
        wait "$XS_APP_PID" 2>/dev/null || true
    fi
    XS_APP_PID=
}

# Another program's window beside the one under test (tests/e2e/peer.cpp), so that activation
# has somewhere else to go.
#   xs_start_peer PEER.exe
xs_start_peer() {
    XS_PEER=$1
    wine "$XS_PEER" window >/dev/null 2>&1 &
    XS_PEER_PID=$!
    xs_until "the other program's window" xs_window_titled "Otro programa"
}

# Ends the other program if it runs.
xs_stop_peer() {
    if [ -n "$XS_PEER_PID" ]; then
        kill "$XS_PEER_PID" 2>/dev/null || true
        wait "$XS_PEER_PID" 2>/dev/null || true
        XS_PEER_PID=
    fi
}

xs_window_titled() {
    [ -n "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ]
}

# Prints the title of the desktop's active window, as the prefix's processes see it.
xs_active_title() {
    local out
    # Through a file, not a pipe: Wine's background processes may inherit the output.
    out=$(mktemp /tmp/xs-active.XXXXXX)
    wine "$XS_PEER" foreground >"$out" 2>/dev/null </dev/null
    cat "$out"
    rm -f "$out"
}

xs_cleanup() {
    xs_stop_program
    xs_stop_peer
    if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; fi
    if [ -n "$XS_XVFB_PID" ]; then
        kill "$XS_XVFB_PID" 2>/dev/null || true
        wait "$XS_XVFB_PID" 2>/dev/null || true
    fi
    XS_XVFB_PID=
}

# --- Windows ------------------------------------------------------------------------------------
# With no window manager, the X window of a top-level Wine window is exactly its client area.

# Twips (design units) to pixels at the prefix's DPI, rounded as MulDiv rounds.
xs_px() {
    local twips=$1
    echo $(((twips * XS_DPI * 2 + 1440) / (2 * 1440)))
}

# The mapped windows with exactly this title and this client size in twips, one id a line.
#   xs_find_windows TITLE WIDTH_TWIPS HEIGHT_TWIPS
xs_find_windows() {
    local title=$1 w h id
    w=$(xs_px "$2")
    h=$(xs_px "$3")
    for id in $(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null); do
        xs_geometry "$id" || continue
        [ "$XS_W" -eq "$w" ] && [ "$XS_H" -eq "$h" ] && echo "$id"
    done
}

# Reads a window's position and size into XS_X, XS_Y, XS_W, XS_H.
xs_geometry() {
    local out
    out=$(xwininfo -id "$1" 2>/dev/null) || return 1
    XS_X=$(sed -n 's/^ *Absolute upper-left X: *\(-\?[0-9]*\)/\1/p' <<<"$out")
    XS_Y=$(sed -n 's/^ *Absolute upper-left Y: *\(-\?[0-9]*\)/\1/p' <<<"$out")
    XS_W=$(sed -n 's/^ *Width: *\([0-9]*\)/\1/p' <<<"$out")
    XS_H=$(sed -n 's/^ *Height: *\([0-9]*\)/\1/p' <<<"$out")
    grep -q 'Map State: IsViewable' <<<"$out"
}

xs_window_shown() {
    [ -n "$(xs_find_windows "$@")" ]
}

xs_window_gone() {
    ! xs_window_shown "$@"
}

# Waits for a window and sets XS_WIN to it (and its geometry to XS_X...).
#   xs_wait_window TITLE WIDTH_TWIPS HEIGHT_TWIPS
xs_wait_window() {
    XS_WIN=
    xs_until "the window \"$1\"" xs_window_shown "$@" || return 1
    XS_WIN=$(xs_find_windows "$@" | head -n 1)
    xs_geometry "$XS_WIN"
}

xs_wait_window_gone() {
    xs_until "the window \"$1\" to close" xs_window_gone "$@"
}

# Moves the pointer to a screen point and waits until it is there. (xdotool's own --sync waits
# for a move that never comes when the pointer stands there already.)
xs_pointer_to() {
    local x=$1 y=$2 X Y SCREEN WINDOW
    eval "$(xdotool getmouselocation --shell)"
    [ "$X" = "$x" ] && [ "$Y" = "$y" ] && return 0
    xdotool mousemove --sync "$x" "$y"
}

# Clicks at a point of XS_WIN's client area, in twips.
#   xs_click X_TWIPS Y_TWIPS
xs_click() {
    local x y
    x=$((XS_X + $(xs_px "$1")))
    y=$((XS_Y + $(xs_px "$2")))
    xs_pointer_to "$x" "$y"
    xdotool click 1
}

# Clicks the centre of a control given by its design rectangle in twips.
#   xs_click_control LEFT TOP WIDTH HEIGHT
xs_click_control() {
    xs_click $(($1 + $3 / 2)) $(($2 + $4 / 2))
}

# Sends keys to the window under the pointer (X's focus follows the pointer without a window
# manager, so the pointer is moved onto XS_WIN first).
xs_keys() {
    xs_pointer_to $((XS_X + XS_W / 2)) $((XS_Y + 2))
    xdotool key --delay 20 "$@"
}

xs_type() {
    xs_pointer_to $((XS_X + XS_W / 2)) $((XS_Y + 2))
    xdotool type --delay 20 "$1"
}

# Writes a screen rectangle, in pixels, as PPM to a file.
#   xs_grab X Y W H FILE
xs_grab() {
    import -window root -crop "${3}x${4}+${1}+${2}" -depth 8 "ppm:$5"
}

# The pixels of an image file as "x y r,g,b" lines.
xs_pixels() {
    convert "$1" -depth 8 txt:- |
        sed -n 's/^\([0-9]*\),\([0-9]*\): *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3,\4,\5/p'
}

# --- The history key, through Wine's own reg ----------------------------------------------------

# Runs Wine's reg with the given arguments; on failure says what reg said and tries again, up to
# three times in all. (Once, in a prefix made moments before on a busy machine, an import failed
# for no reason that could be reproduced; a test must not fail on its peer's hiccup.)
#   xs_reg ARGUMENT...
xs_reg() {
    local attempt status out
    # Through a file, not a pipe: Wine's background processes may inherit reg's output and
    # outlive it.
    out=$(mktemp /tmp/xs-reg.XXXXXX)
    for attempt in 1 2 3; do
        wine reg "$@" >"$out" 2>&1 </dev/null
        status=$?
        [ $status -eq 0 ] && break
        echo "  note: reg $1 failed (exit $status, attempt $attempt): $(tr -d '\r' <"$out")" >&2
        sleep 1
    done
    rm -f "$out"
    return $status
}

# A Unix path as Wine's Z: drive shows it.
xs_windows_path() {
    local path=$1
    echo "Z:${path//\//\\}"
}

# A text as a quoted .reg string.
xs_reg_string() {
    local text=$1
    text=${text//\\/\\\\}
    text=${text//\"/\\\"}
    printf '"%s"' "$text"
}

# The time xs_seed_history gives slot N, as a .reg hex value (a FILETIME in 2024).
xs_time() {
    printf 'hex:%02x,5e,3a,12,90,4f,db,01' "$1"
}

# Replaces the history key by the given texts in url1, url2, ... and any extra "name=text" values
# given after a lone "--", and the time key by one time (xs_time) for each of those slots.
#   xs_seed_history TEXT... [-- NAME=TEXT...]
xs_seed_history() {
    local file n=1 extra=0 arg key
    file=$(mktemp /tmp/xs-seed.XXXXXX)
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        for key in "$XS_HISTORY_KEY" "$XS_TIME_KEY"; do
            printf '[-%s]\r\n\r\n' "${key/HKCU/HKEY_CURRENT_USER}"
        done
        printf '[%s]\r\n' "${XS_HISTORY_KEY/HKCU/HKEY_CURRENT_USER}"
        for arg in "$@"; do
            if [ "$arg" = "--" ]; then
                extra=1
            elif [ $extra -eq 1 ]; then
                printf '%s=%s\r\n' "$(xs_reg_string "${arg%%=*}")" "$(xs_reg_string "${arg#*=}")"
            else
                printf '"url%d"=%s\r\n' "$n" "$(xs_reg_string "$arg")"
                n=$((n + 1))
            fi
        done
        printf '\r\n[%s]\r\n' "${XS_TIME_KEY/HKCU/HKEY_CURRENT_USER}"
        for ((extra = 1; extra < n; extra++)); do
            printf '"url%d"=%s\r\n' "$extra" "$(xs_time "$extra")"
        done
    } | { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$file"
    xs_reg import "$(xs_windows_path "$file")"
    local status=$?
    rm -f "$file"
    return $status
}

# Prints a key as `reg export` writes it, in UTF-8 without carriage returns; nothing when the key
# is missing.
xs_export() {
    local file
    file=$(mktemp /tmp/xs-export.XXXXXX)
    rm -f "$file"
    if wine reg export "$1" "$(xs_windows_path "$file")" /y >/dev/null 2>&1; then
        iconv -f UTF-16LE -t UTF-8 "$file" | tr -d '\r'
    fi
    rm -f "$file"
}

# Prints the time key's values as "name=hex:..." lines, sorted by name.
xs_read_times() {
    xs_export "$XS_TIME_KEY" | sed -n 's/^"\([^"]*\)"=\(hex.*\)$/\1=\2/p' | sort -V
}

# Prints the history key's string values as "name=text" lines, sorted by name (url2 before
# url10), exactly as stored; prints nothing when the key is missing.
xs_read_history() {
    xs_export "$XS_HISTORY_KEY" | sed -n 's/^"\([^"]*\)"="\(.*\)"$/\1=\2/p' |
        sed 's/\\"/"/g; s/\\\\/\\/g' | sort -V
}
