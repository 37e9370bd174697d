#!/bin/sh
# The chunked mode's physics against the single stream's on the default job (80 kV constant
# potential, FSD 90 cm, 20 × 20 cm, standing), run by hand:
#
#   bench/engine/physics_proof.sh [BIN_DIR [HISTORIES [SLICES [OTHER_BIN_DIR]]]]
#
# BIN_DIR holds brisca-job, mcstand, brisca-merge and result_compare (default: build/bin of
# this checkout); HISTORIES defaults to 2e8, SLICES to 20. The chunked mode runs as SLICES
# slices on 2 threads each and is merged; the spread of the slices gives its errors. The
# single stream runs once and is compared with it; with OTHER_BIN_DIR, the chunked mode of
# the mcstand found there (an earlier build) runs too and is compared with the same errors.
# The results stay in the scratch folder printed first.
set -eu

root=$(cd "$(dirname "$0")/../.." && pwd)
bin=$(cd "${1:-$root/build/bin}" && pwd)
histories=${2:-2e8}
slices=${3:-20}
other=${4:-}

scratch=$(mktemp -d)
echo "scratch folder: $scratch"
for table in ICRUSoft.dat Air.eac Ak2Sv.dat MUs.dat default-output.op; do
    cp "$root/data/$table" "$scratch/"
done
cd "$scratch"
"$bin/brisca-job" --position standing --histories "$histories" --name proof >/dev/null

k=1
while [ "$k" -le "$slices" ]; do
    "$bin/mcstand" --chunks "$k/$slices" --threads 2 </dev/null >/dev/null
    k=$((k + 1))
done
"$bin/brisca-merge" proof.dsr5.part-*-of-"$slices" --out chunked.dsr5
parts=$(ls proof.dsr5.part-*-of-"$slices")

"$bin/mcstand" </dev/null >/dev/null
mv proof.dsr5 single.dsr5
echo "== single stream (A) against the chunked mode (B)"
"$bin/result_compare" single.dsr5 -- chunked.dsr5 $parts

if [ -n "$other" ]; then
    "$other/mcstand" --threads 2 </dev/null >/dev/null
    mv proof.dsr5 other-chunked.dsr5
    echo "== the chunked mode of $other (A) against this chunked mode (B)"
    "$bin/result_compare" other-chunked.dsr5 -- chunked.dsr5 $parts
fi
