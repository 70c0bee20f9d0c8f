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
