# Sourced by the scripts that start programs in the background (the stand-in receiver, a
# server, Xvfb, Orbex): $work is a scratch folder named after $work_name, each started
# program's pid goes into pids, and on exit every one is stopped and the folder removed.
work=$(mktemp -d "${TMPDIR:-/tmp}/${work_name:-orbex}.XXXXXX")
pids=()
stop_background_jobs() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap stop_background_jobs EXIT

# start_xvfb FIRST WxHxD [Xvfb options]: starts a virtual X server on the first free display
# number from FIRST, exports DISPLAY, and returns once the server answers (not merely once its
# socket exists). Programs started afterwards draw there, not offscreen.
start_xvfb() {
    local number=$1 geometry=$2
    shift 2
    while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
        number=$((number + 1))
    done
    # -noreset: the server would otherwise start afresh when its last client leaves (the probe
    # below), and refuse the program that connects during that moment.
    Xvfb ":$number" -screen 0 "$geometry" -nolisten tcp -noreset "$@" >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    export DISPLAY=":$number"
    unset QT_QPA_PLATFORM
    for _ in $(seq 100); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Xvfb on :$number did not answer; its log: $work/xvfb.log" >&2
    return 1
}
