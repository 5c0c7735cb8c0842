#!/bin/sh
# The city's golden run played by the Windows city-render.exe itself, as a user runs it: its
# transcript, line ends aside, is the Linux one line for line.
#   golden_city_render.sh SOURCE_DIR CITY_RENDER [EMULATOR...]
source_dir=$1
program=$2
shift 2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$@" "$program" --ticks 1000 --time 1700000100 --script "$source_dir/tests/golden/city_run.scr" \
    --log "$scratch/run.log" >/dev/null || exit 1
tr -d '\r' <"$scratch/run.log" >"$scratch/actual.log"
gzip -dc "$source_dir/tests/golden/city_run.log.gz" >"$scratch/golden.log"
if ! cmp -s "$scratch/golden.log" "$scratch/actual.log"; then
    echo "city-render.exe's transcript differs from the golden one:"
    diff "$scratch/golden.log" "$scratch/actual.log" | head -5
    exit 1
fi
echo "city-render.exe gives the golden transcript, $(wc -l <"$scratch/golden.log") lines"
