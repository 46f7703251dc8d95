#!/bin/sh
# Times the conversion of a full 64 KiB Intel HEX file as a whole process: the command-line
# tool (select a HEX-loaded chip, convert) side by side with objcopy and srec_cat.
# usage: hex_side_by_side.sh CLI BASE_DIR [RUNS]
set -eu
cli=$1
base=$2
runs=${3:-50}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp -R "$base" "$work/base"
python3 "$here/make_full_hex.py" "$work/full64k.hex"

# Mean wall time of a command in microseconds over $runs runs.
mean_us() {
    start=$(date +%s%N)
    i=0
    while [ "$i" -lt "$runs" ]; do
        "$@" >/dev/null 2>&1
        i=$((i + 1))
    done
    end=$(date +%s%N)
    echo $(((end - start) / runs / 1000))
}

tool=$(mean_us "$cli" --base-dir "$work/base" select QRV7049 convert "$work/full64k.hex")
objcopy_us=$(mean_us objcopy -I ihex -O binary "$work/full64k.hex" "$work/objcopy.bin")
srec_us=$(mean_us srec_cat "$work/full64k.hex" -intel -o "$work/srec.bin" -binary)

# The tool's HEX image must equal what the others make of the same file.
"$cli" --base-dir "$work/base" select QRV7049 convert "$work/full64k.hex" >/dev/null 2>&1
cmp "$work/full64k.bin" "$work/objcopy.bin"
cmp "$work/objcopy.bin" "$work/srec.bin"

echo "runs: $runs, file: $(wc -c <"$work/full64k.hex") bytes of HEX -> 65536 bytes"
echo "vexlor-writer-cli select+convert: ${tool} us"
echo "objcopy -I ihex -O binary:        ${objcopy_us} us"
echo "srec_cat -intel -o -binary:       ${srec_us} us"
awk -v t="$tool" -v o="$objcopy_us" -v s="$srec_us" \
    'BEGIN { printf "tool/objcopy: %.2f  tool/srec_cat: %.2f\n", t / o, t / s }'
