# Shared by the bench scripts, which source it after setting $probe to kalkuno_xprobe.

# A scratch folder $work (removed on exit, with the X server) holding the XDG folders the
# measured programs see, and a virtual X server on $DISPLAY.
bench_start_display() {
    work=$(mktemp -d)
    xvfb_pid=""
    trap bench_cleanup EXIT
    mkdir -m 700 "$work/runtime" "$work/config" "$work/data" "$work/out"
    export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
    # The bench writes its own settings; a classroom file in /etc/xdg must not change them.
    export XDG_CONFIG_DIRS=$work/no-system-defaults QT_QPA_PLATFORM=xcb BENCH_PROBE=$probe
    unset WAYLAND_DISPLAY SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
    Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.05
    done
    export DISPLAY=:$(head -n1 "$work/display")
}

bench_cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}

# One statistic (median, p99, max, …) of the numbers in a file.
stat_of() { "$probe" stats <"$1" | sed "s/.* $2=\([^ ]*\).*/\1/"; }
median() { stat_of "$1" median; }
