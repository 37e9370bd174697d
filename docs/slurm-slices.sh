#!/usr/bin/env bash
# Runs one Brisca job as a Slurm job array of slices and merges them.
# Put the five job files (ICRUSoft.dat, Air.eac, Ak2Sv.dat, B2F.txt, B_SPCTL.dat) in a
# folder every node can reach, then from that folder:
#   docs/slurm-slices.sh RESULT.dsr5 SLICES [ENGINE]
# ENGINE is mcstand (default) or mcsupine; RESULT.dsr5 is the name in record 6 of B2F.txt.
set -euo pipefail
result="${1:?usage: slurm-slices.sh RESULT.dsr5 SLICES [ENGINE]}"
slices="${2:?usage: slurm-slices.sh RESULT.dsr5 SLICES [ENGINE]}"
engine="${3:-mcstand}"

# Each array task runs slice K of the job on every core Slurm gives it.
array=$(sbatch --parsable --array=1-"$slices" --cpus-per-task="${CPUS:-8}" \
    --job-name=brisca-slice --output=slice-%a.log --chdir="$PWD" \
    --wrap="$engine --chunks \${SLURM_ARRAY_TASK_ID}/$slices --threads \${SLURM_CPUS_PER_TASK} </dev/null")

# The merge waits until every slice has ended well; it refuses a missing or broken part.
sbatch --dependency=afterok:"$array" --job-name=brisca-merge --output=merge.log --chdir="$PWD" \
    --wrap="brisca-merge $(printf "'%s.part-%d-of-$slices' " $(for k in $(seq 1 "$slices"); do echo "$result" "$k"; done)) --out '$result'"
echo "slices submitted as array job $array; the merge follows it"
