# Shell functions shared by the scripts; sourced, not run.  The caller has
# `set -euo pipefail` and runs from the repository root.

# Whether this host runs 32-bit programs under Wine (some virtual machines
# refuse every 32-bit program, Wine's 32-bit half included).
vx_host_runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# Whether the kernel runs 32-bit x86 programs at all, asked before Wine is
# installed: a 93-byte i386 ELF program that only exits with 0 is run.
vx_kernel_runs_32bit() {
    local probe ran=1
    local program=7f454c4601010100000000000000000002000300010000005480040834000000\
0000000000000000340020000100000000000000010000000000000000800408\
008004085d0000005d0000000500000000100000b80100000031dbcd80
    probe=$(mktemp) || return 1
    printf "$(sed 's/../\\x&/g' <<<"$program")" >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null && ran=0
    rm -f "$probe"
    return $ran
}

# Picks the Windows build this host can run: the 32-bit deliverables
# (preset win32, dist/Vessamorix/bin) or else the same programs in 64 bits
# (preset win64, dist/Vessamorix/bin64), and says so in the second case.
# Sets vx_preset and vx_bin (the programs' folder).
vx_pick_windows_build() {
    if vx_host_runs_32bit; then
        vx_preset=win32 vx_bin=dist/Vessamorix/bin
    else
        vx_preset=win64 vx_bin=dist/Vessamorix/bin64
        echo "This host cannot run 32-bit programs: using the 64-bit build in $vx_bin"
    fi
}

# Picks the build a script plays or records: the native one (the OpenGL
# device, preset native, dist/Vessamorix/bin) when $1 is "native", else the
# Windows build this host runs.  Sets vx_preset, vx_bin, vx_targets (the
# player, its render device and its capture), vx_player and vx_capture (the
# programs' paths).
vx_pick_build() {
    if [ "$1" = native ]; then
        vx_preset=native vx_bin=dist/Vessamorix/bin
        vx_targets=(Vessamorix kaGLRenderDevice VessamorixCapture)
        vx_player=$vx_bin/vessamorix vx_capture=$vx_bin/vessamorix-capture
    else
        vx_pick_windows_build
        vx_targets=(Vessamorix kaD3DRenderDevice VessamorixCapture)
        vx_player=$vx_bin/Vessamorix.exe vx_capture=$vx_bin/VessamorixCapture.exe
    fi
}

# vx_run_capture [ARGS...]: runs the capture picked by vx_pick_build
# headless, the Windows one under Wine in its own Xvfb and prefix, the
# native one on SDL's offscreen display; VX_CAPTURE_TIMEOUT (or
# VX_WINE_TIMEOUT) seconds at most, 4 hours unless set.  Paths in ARGS are
# given through vx_capture_path.
vx_run_capture() {
    local timeout_s=${VX_CAPTURE_TIMEOUT:-${VX_WINE_TIMEOUT:-14400}}
    case $vx_capture in
    *.exe) VX_WINE_TIMEOUT=$timeout_s scripts/wine-run "$vx_capture" "$@" ;;
    *) SDL_VIDEODRIVER=offscreen timeout --kill-after=10 "$timeout_s" "$vx_capture" "$@" ;;
    esac
}

# vx_capture_path PATH: an absolute PATH as the capture picked sees it (Wine
# reaches the Unix file system through its drive Z:).
vx_capture_path() {
    case $vx_capture in
    *.exe) echo "Z:$1" ;;
    *) echo "$1" ;;
    esac
}

# vx_build PRESET TARGET...: configures the preset and builds the targets,
# showing the log only when a step fails.
vx_build() {
    local preset=$1
    shift
    mkdir -p build
    cmake --preset "$preset" >"build/.configure-$preset.log" 2>&1 \
        || { cat "build/.configure-$preset.log"; exit 1; }
    cmake --build --preset "$preset" -j2 --target "$@" >"build/.build-$preset.log" 2>&1 \
        || { tail -40 "build/.build-$preset.log"; exit 1; }
}

# vx_media DIR: writes the media tree into DIR with the native generator.
vx_media() {
    vx_build native mediagen
    build/native/tools/mediagen/mediagen "$1"
}

# vx_release_stop_tree PID: stops the process PID and every process it
# started, however deep: all are asked to end (TERM), and those still there
# after three seconds are killed.
vx_release_stop_tree() {
    local pids=("$1") i=0 child
    while [ "$i" -lt ${#pids[@]} ]; do
        for child in $(pgrep -P "${pids[$i]}" || true); do pids+=("$child"); done
        i=$((i + 1))
    done
    kill -TERM "${pids[@]}" 2>/dev/null || true
    for _ in $(seq 30); do
        # Ended ones may linger as zombies until their parent reaps them.
        ps -o stat= -p "$(IFS=,; echo "${pids[*]}")" | grep -v '^Z' >/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "${pids[@]}" 2>/dev/null || true
}
