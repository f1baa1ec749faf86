# Shell functions shared by the scripts; sourced, not run.  The caller has
# `set -euo pipefail`.  Source it before leaving the folder the user started
# in (vx_absolute takes relative paths from there); the functions that build,
# write the media or run the programs are called from the repository root.
#
# A script that starts programs or writes files calls vx_guard first; then
#   vx_run COMMAND...          runs a long command so that Ctrl-C is seen at once
#   vx_on_exit COMMAND...      runs COMMAND when the script ends, however it ends
#   vx_remove_on_exit PATH...  removes PATHs when the script ends
#   vx_temp_beside VAR FINAL   names a temporary beside FINAL (removed at the end)
#   vx_replace_folder NEW DIR  puts the folder NEW in DIR's place
#   vx_with_lock FILE WHAT COMMAND...  one run at a time, saying what it waits for
# and for the command line: vx_usage, vx_usage_error, vx_absolute.

vx_name=$(basename -- "$0")
vx_start_dir=$PWD
vx_exit_commands=()
vx_cleanup_files=()

# vx_usage: the comment block at the top of the running script (what it
# does, its usage and options), without the comment marks.
vx_usage() { sed -n '2,/^[^#]/s/^# \{0,1\}//p' "$0"; }

# vx_usage_error MESSAGE: the message and the usage on standard error, exit
# code 2.
vx_usage_error() {
    echo "$vx_name: $*" >&2
    vx_usage >&2
    exit 2
}

# vx_absolute PATH: PATH made absolute, a relative one taken from the folder
# the user started the script in.  PATH need not exist.
vx_absolute() {
    case $1 in
    /*) printf '%s\n' "$1" ;;
    *) printf '%s/%s\n' "$vx_start_dir" "$1" ;;
    esac
}

# vx_guard: on exit, whatever the reason, every process the script started
# (with their children) is stopped, the vx_on_exit commands run (last
# registered first) and the vx_remove_on_exit paths are removed.  SIGINT,
# SIGTERM and SIGHUP end the script at once with 130, 143 and 129.
vx_guard() {
    trap vx_cleanup EXIT
    trap 'vx_interrupted INT 130' INT
    trap 'vx_interrupted TERM 143' TERM
    trap 'vx_interrupted HUP 129' HUP
}

vx_interrupted() {
    trap '' INT TERM HUP
    echo "$vx_name: stopped by SIG$1" >&2
    exit "$2"
}

vx_cleanup() {
    local status=$? i
    set +e
    trap '' INT TERM HUP
    vx_stop_descendants $$
    for ((i = ${#vx_exit_commands[@]} - 1; i >= 0; i--)); do eval "${vx_exit_commands[i]}"; done
    [ ${#vx_cleanup_files[@]} -eq 0 ] || rm -rf -- "${vx_cleanup_files[@]}"
    exit "$status"
}

vx_on_exit() { vx_exit_commands+=("$(printf '%q ' "$@")"); }
vx_remove_on_exit() { vx_cleanup_files+=("$@"); }

# vx_run COMMAND [ARGS...]: runs COMMAND and answers its exit code.  It runs
# in the background (with the script's standard input) and is waited for,
# because bash runs a signal's trap only after a command in the foreground
# has ended.  A function run so that is tested with `||` runs without
# `set -e`: it checks its own steps.
vx_run() {
    "$@" <&0 &
    wait $!
}

# vx_descendants PID: every process below PID (children, their children...).
vx_descendants() {
    ps -e -o pid=,ppid= | awk -v root="$1" '
        { parent[$1] = $2 }
        END {
            below[root] = 1
            do {
                more = 0
                for (p in parent) if (!(p in below) && (parent[p] in below)) { below[p] = 1; more = 1 }
            } while (more)
            for (p in below) if (p != root) print p
        }'
}

# vx_alive PID...: which of the processes still run (zombies do not).
vx_alive() {
    [ $# -gt 0 ] || return 0
    ps -o pid=,stat= -p "$(IFS=,; echo "$*")" | awk '$2 !~ /^Z/ { print $1 }'
}

# vx_stop_descendants PID: SIGTERM to every process below PID, SIGKILL to
# what still runs (or was started meanwhile) eight seconds later.  Only the
# ones still running get it: the number of one that ended may meanwhile
# belong to another program (on a busy machine, another test's).
vx_stop_descendants() {
    local pids
    pids=$(vx_descendants "$1")
    [ -n "$pids" ] || return 0
    # shellcheck disable=SC2086
    kill -TERM $pids 2>/dev/null
    for _ in $(seq 40); do
        # shellcheck disable=SC2086
        [ -n "$(vx_alive $pids)" ] || return 0
        sleep 0.2
    done
    # shellcheck disable=SC2046,SC2086
    kill -KILL $(vx_alive $pids) $(vx_descendants "$1") 2>/dev/null
    return 0
}

# vx_temp_beside VAR FINAL: sets VAR to an unused name in FINAL's folder
# that keeps FINAL's extension (programs choose a format by it), removed when
# the script ends.  Written there and renamed to FINAL at the end, an output
# replaces the previous one in one step, and only when it is complete.
vx_temp_beside() {
    local dir base ext=""
    dir=$(dirname "$2") base=$(basename "$2")
    case $base in ?*.*) ext=.${base##*.} base=${base%.*} ;; esac
    printf -v "$1" '%s/.%s.partial-%s-%s%s' "$dir" "$base" "$$" "$RANDOM" "$ext"
    vx_remove_on_exit "${!1}"
}

# vx_replace_folder NEW DIR: NEW (a complete folder beside DIR) takes DIR's
# place; when DIR already holds the same files, DIR stays untouched (a
# program reading it is not disturbed) and NEW goes.
vx_replace_folder() {
    local new=$1 dir=$2 old
    if [ -d "$dir" ] && diff -r -q "$new" "$dir" >/dev/null 2>&1; then
        rm -rf -- "$new"
        return 0
    fi
    if [ -e "$dir" ]; then
        vx_temp_beside old "$dir"
        mv -T -- "$dir" "$old"
    fi
    mv -T -- "$new" "$dir"
    [ -z "${old:-}" ] || rm -rf -- "$old"
}

# vx_with_lock FILE WHAT COMMAND...: runs COMMAND holding an exclusive lock
# on FILE, so that runs at once take turns; while another run holds it, says
# that it waits for WHAT.  COMMAND runs as a plain statement, not under
# `||`, so that a function's own failing steps still end the script (bash
# ignores `set -e` everywhere below a command tested with `||`).
vx_with_lock() {
    local file=$1 what=$2 fd status
    shift 2
    exec {fd}>>"$file"
    if ! flock -n "$fd"; then
        echo "$vx_name: waiting for $what (another run holds $file)" >&2
        vx_run flock "$fd"
    fi
    "$@"
    status=$?
    exec {fd}>&-
    return "$status"
}

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
    *) SDL_VIDEODRIVER=offscreen timeout --foreground --kill-after=10 "$timeout_s" "$vx_capture" "$@" ;;
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
# showing the log only when a step fails; one run at a time per preset.
vx_build() {
    mkdir -p build
    vx_with_lock "build/.lock-$1" "the build of preset $1" vx_build_now "$@"
}

vx_build_now() {
    local preset=$1
    shift
    vx_configure "$preset"
    vx_run cmake --build --preset "$preset" -j2 --target "$@" >"build/.build-$preset.log" 2>&1 \
        || { tail -40 "build/.build-$preset.log"; exit 1; }
}

# vx_configure PRESET: configures the preset's build tree, showing the log
# only when that fails.  A tree configured after the last change to
# CMakePresets.json (its Makefile is newer) is left as it is: the build
# itself configures it again when a CMakeLists.txt or a file they include
# changed.
vx_configure() {
    local tree=build/$1
    [ "$tree/Makefile" -nt CMakePresets.json ] && return 0
    vx_run cmake --preset "$1" >"build/.configure-$1.log" 2>&1 \
        || { cat "build/.configure-$1.log"; exit 1; }
}

# vx_media DIR: the native build's media tree (build/native/dist/xMedia,
# which its generator writes again only when the generator or the shaders
# changed) copied into a temporary folder beside DIR, which then takes DIR's
# place unless DIR holds the same files already.
vx_media() {
    local dir=$1 temp
    vx_build native media
    mkdir -p "$(dirname "$dir")"
    vx_temp_beside temp "$dir"
    vx_with_lock build/.lock-native "the build of preset native" cp -R build/native/dist/xMedia "$temp"
    vx_with_lock build/.lock-media "the media tree" vx_replace_folder "$temp" "$dir"
}
