# shellcheck shell=bash
# Sourced by the scripts that run or inspect the Windows programs (run-tests, check-install,
# check-release): one Wine prefix per architecture, and what a Windows program must be.

# tavro_wine_prefix ARCH [PREFIX]: ARCH (win32 or win64) is the architecture of the programs to
# run. Exports WINEPREFIX, PREFIX or else TAVRO_WINE_ROOT/ARCH, a prefix of that architecture
# (WINEARCH) made the first time through that architecture's own loader, as wine-run picks it;
# Wine's diagnostics go quiet.
tavro_wine_prefix() {
    local arch=$1 loader=wine
    if [ "$arch" = win64 ]; then
        loader=wine64
    fi
    # Debian keeps the loaders in /usr/lib/wine (its `wine` on PATH is the launcher, which guesses).
    if [ -d /usr/lib/wine ]; then
        loader="/usr/lib/wine/$loader"
    fi
    export WINEPREFIX="${2:-${TAVRO_WINE_ROOT:?}/$arch}" WINEARCH="$arch" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -d "$WINEPREFIX" ]; then
        local log
        log=$(mktemp)
        "$loader" wineboot -i >"$log" 2>&1 || {
            echo "${0##*/}: could not make the $arch Wine prefix $WINEPREFIX with $loader: $(tail -1 "$log")" >&2
            rm -f "$log"
            return 1
        }
        rm -f "$log"
    fi
}

# tavro_wine_stop: ends the Wine session of the current prefix, if one runs.
tavro_wine_stop() {
    wineserver -k 2>/dev/null || true
}

# tavro_check_windows_programs BITS FILE...: each FILE is a BITS-bit (32 or 64) Windows program that
# imports system DLLs only, so that it runs on a bare Windows; city.exe is a GUI program (no console
# window), city-render.exe, tavro-check.exe and the test programs console ones. Says what is wrong
# with the first that is not, and returns 1.
tavro_check_windows_programs() {
    local bits=$1 format=pei-i386 file headers subsystem dll
    shift
    if [ "$bits" = 64 ]; then
        format=pei-x86-64
    fi
    for file in "$@"; do
        # The 64-bit toolchain's objdump reads the programs of both word sizes.
        headers=$(x86_64-w64-mingw32-objdump -p "$file") || return 1
        if ! grep -q "file format $format\$" <<<"$headers"; then
            echo "${0##*/}: $file is not a $bits-bit Windows program: $(grep -m1 'file format' <<<"$headers")" >&2
            return 1
        fi
        subsystem=$(sed -n 's/^Subsystem.*(\(.*\))$/\1/p' <<<"$headers")
        case "${file##*/}" in
        city-render.exe | tavro-check.exe | *_tests.exe) [ "$subsystem" = "Windows CUI" ] ;;
        city.exe) [ "$subsystem" = "Windows GUI" ] ;;
        *) true ;;
        esac || {
            echo "${0##*/}: ${file##*/} is a $subsystem program" >&2
            return 1
        }
        while read -r dll; do
            case "${dll,,}" in
            kernel32.dll | user32.dll | gdi32.dll | msvcrt.dll | advapi32.dll | shell32.dll | comdlg32.dll) ;;
            *)
                echo "${0##*/}: $file needs $dll, which Windows does not bring" >&2
                return 1
                ;;
            esac
        done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
    done
}
