# Sourced by the end-to-end tests: a private X display under Xvfb with a window
# manager, and helpers to drive the program as a person would.
set -euo pipefail

session_dir="$(mktemp -d /tmp/traslado-e2e-XXXXXX)"
session_pids=()

end_session() {
    local pid
    for pid in "${session_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${session_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$session_dir"
}
trap end_session EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts Xvfb on a free display and a window manager on it; exports DISPLAY.
start_display() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$session_dir/display" 2>/dev/null &
    session_pids+=($!)
    local tries=0
    until [ -s "$session_dir/display" ]; do
        tries=$((tries + 1)); [ $tries -gt 100 ] && fail "Xvfb did not start"
        sleep 0.1
    done
    export DISPLAY=":$(head -n1 "$session_dir/display")"
    openbox --config-file /dev/null >/dev/null 2>&1 &
    session_pids+=($!)
    tries=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        tries=$((tries + 1)); [ $tries -gt 100 ] && fail "the window manager did not start"
        sleep 0.1
    done
}

# Prints the id of the first window whose title is exactly $1, waiting up to 20 s.
wait_window() {
    local id tries=0
    while :; do
        id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)"
        [ -n "$id" ] && { echo "$id"; return 0; }
        tries=$((tries + 1)); [ $tries -gt 200 ] && return 1
        sleep 0.1
    done
}

# Waits up to 20 s for process $1, a child of this shell, to end; sets exit_code.
wait_exit() {
    local tries=0
    while kill -0 "$1" 2>/dev/null && ! grep -q '^Z' "/proc/$1/stat" 2>/dev/null; do
        tries=$((tries + 1)); [ $tries -gt 200 ] && { kill "$1"; exit_code=timeout; return 0; }
        sleep 0.1
    done
    exit_code=0
    wait "$1" || exit_code=$?
}

# The window's outer frame as "X Y WIDTH HEIGHT", from the window manager's extents.
outer_frame() {
    local info extents left right top bottom
    info="$(xwininfo -id "$1")"
    extents="$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')"
    read -r left right top bottom <<<"${extents:-0 0 0 0}"
    local x y w h
    x="$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")"
    y="$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")"
    w="$(awk '/Width:/ {print $2}' <<<"$info")"
    h="$(awk '/Height:/ {print $2}' <<<"$info")"
    echo "$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))"
}
