# Shell functions shared by the scripts; sourced, not run.  The caller has
# `set -euo pipefail` and runs from the repository root.

# Whether this host runs 32-bit programs under Wine (some virtual machines
# refuse every 32-bit program, Wine's 32-bit half included).
vx_host_runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

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
