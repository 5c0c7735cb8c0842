# shellcheck shell=bash
# Sourced by the scripts that run 32-bit Windows programs under Wine (install-deps, run-tests,
# check-install, check-release): whether this machine runs 32-bit x86 code at all. Some kernels
# run 64-bit user code only (IA-32 emulation off: a 32-bit execve fails with ENOEXEC), and there
# Wine's 32-bit loader cannot start, whatever is installed.
#
# It is found out by executing a tiny 32-bit Linux program (an ELF header, one segment, and
# exit(32) through int 0x80), written here byte by byte so that nothing 32-bit needs installing.
# The answer is kept in TAVRO_RUNS_32BIT (yes or no), exported, so that the scripts started from
# the first one that asks do not try again; TAVRO_NO_32BIT_REASON says why not.
#
# TAVRO_ASSUME_NO_32BIT=1 makes the answer no on any machine: the way to try the 64-bit-only path
# (no 32-bit Windows tests, everything on the 64-bit build) on a machine that runs both.

tavro_find_32bit() {
    if [ "${TAVRO_ASSUME_NO_32BIT:-}" = 1 ]; then
        export TAVRO_RUNS_32BIT=no TAVRO_NO_32BIT_REASON="TAVRO_ASSUME_NO_32BIT=1 says this machine runs no 32-bit code"
        return 0
    fi
    if [ -n "${TAVRO_RUNS_32BIT:-}" ]; then
        return 0
    fi
    local build folder program status=0
    # Beside the build trees rather than in /tmp, which may forbid executing anything.
    build="$(dirname "${BASH_SOURCE[0]}")/../../build"
    mkdir -p "$build"
    folder=$(mktemp -d "$build/runs-32bit.XXXXXX")
    program="$folder/exit32"
    {
        printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' # 32-bit, little-endian
        printf '\x02\x00\x03\x00\x01\x00\x00\x00'                         # an i386 executable
        printf '\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00'             # entry, header offsets
        printf '\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00' # one program header
        printf '\x01\x00\x00\x00\x00\x00\x00\x00'                         # loaded from offset 0
        printf '\x00\x80\x04\x08\x00\x80\x04\x08'                         # at 0x08048000
        printf '\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' # 93 bytes, read + execute
        printf '\x31\xdb\xb3\x20\x31\xc0\x40\xcd\x80'                     # exit(32)
    } >"$program"
    chmod +x "$program"
    "$program" 2>"$folder/error" || status=$?
    if [ "$status" -eq 32 ]; then
        export TAVRO_RUNS_32BIT=yes TAVRO_NO_32BIT_REASON=""
    else
        export TAVRO_RUNS_32BIT=no
        TAVRO_NO_32BIT_REASON="this machine runs no 32-bit code: a tiny 32-bit program gives status $status"
        if [ -s "$folder/error" ]; then
            TAVRO_NO_32BIT_REASON+=" ($(sed 's/.*: //' "$folder/error" | head -1))"
        fi
        export TAVRO_NO_32BIT_REASON
    fi
    rm -rf "$folder"
}

tavro_runs_32bit() {
    tavro_find_32bit
    [ "$TAVRO_RUNS_32BIT" = yes ]
}
