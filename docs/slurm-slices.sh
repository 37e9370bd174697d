#!/usr/bin/env bash
# Runs one Brisca job as a Slurm job array of slices and merges them.
# Put the five job files (ICRUSoft.dat, Air.eac, Ak2Sv.dat, B2F.txt, B_SPCTL.dat) in a
# folder every node can reach, then from that folder:
#   docs/slurm-slices.sh RESULT.dsr5 SLICES [ENGINE]
# RESULT.dsr5 is the name in record 6 of B2F.txt; ENGINE is mcstand (default) or mcsupine,
# by name or path. The engine and brisca-merge (found beside the engine, else on PATH) are
# handed to Slurm by their absolute paths: every node must reach them there (a shared
# folder, or the same installation on each node).
#
# Variables it reads:
#   CPUS              CPUs of each slice; by default the fewest that a node of the
#                     partition has (sinfo), so that every node can run a slice
#   SBATCH_PARTITION  the partition; sinfo is asked about it, and sbatch reads it itself
#   SBATCH_*          any other sbatch input variable (SBATCH_ACCOUNT, SBATCH_TIMELIMIT, ...)
#                     applies to the slices and to the merge alike
# Nothing is submitted, and the status is 1, when a job file is missing, RESULT.dsr5 is not
# B2F.txt's result name, a program is not found, or no node of the partition has CPUS CPUs:
# Slurm would keep such an array pending for ever. A slice that fails cancels the merge.
set -euo pipefail
usage="usage: slurm-slices.sh RESULT.dsr5 SLICES [ENGINE]"
result="${1:?$usage}"
slices="${2:?$usage}"
engine="${3:-mcstand}"

refuse() {
  echo "slurm-slices.sh: $*" >&2
  exit 1
}

[[ "$slices" =~ ^[1-9][0-9]*$ ]] || refuse "SLICES '$slices' is not a whole number from 1"
for file in ICRUSoft.dat Air.eac Ak2Sv.dat B2F.txt B_SPCTL.dat; do
  [ -f "$file" ] || refuse "$file is not in $PWD: run the script in the job's folder"
done
# Record 6 names the result; the engine keeps its first 30 characters, less trailing blanks.
named=$(sed -n '6{s/\r$//;p;q}' B2F.txt)
named=$(LC_ALL=C.UTF-8 && printf '%s' "${named:0:30}")
named="${named%"${named##*[![:space:]]}"}"
[ "$named" = "$result" ] ||
  refuse "B2F.txt names the result '$named', not '$result': the slices would write other parts"
case "$result$PWD" in *"'"*) refuse "a name with a single quote cannot be handed to Slurm" ;; esac

engine_path=$(command -v "$engine") || refuse "the engine '$engine' is not found"
engine_path=$(cd "$(dirname "$engine_path")" && pwd)/$(basename "$engine_path")
merge_path=$(dirname "$engine_path")/brisca-merge
[ -x "$merge_path" ] || merge_path=$(command -v brisca-merge) || refuse "brisca-merge is not found"
merge_path=$(cd "$(dirname "$merge_path")" && pwd)/$(basename "$merge_path")
case "$engine_path$merge_path" in *"'"*) refuse "a path with a single quote cannot be handed to Slurm" ;; esac

# CPUs of each node of the partition (every partition when none is set), one line a node.
partition_option=()
[ -n "${SBATCH_PARTITION:-}" ] && partition_option=(--partition="$SBATCH_PARTITION")
node_cpus=$(sinfo --Node --noheader --responding "${partition_option[@]}" --format=%c | sort -n) ||
  refuse "sinfo cannot tell the nodes' CPUs"
[ -n "$node_cpus" ] || refuse "sinfo lists no responding node${SBATCH_PARTITION:+ in partition $SBATCH_PARTITION}"
fewest=$(head -n 1 <<<"$node_cpus")
most=$(tail -n 1 <<<"$node_cpus")
cpus="${CPUS:-$fewest}"
[[ "$cpus" =~ ^[1-9][0-9]*$ ]] || refuse "CPUS '$cpus' is not a whole number from 1"
[ "$cpus" -le "$most" ] ||
  refuse "no node has $cpus CPUs (the most is $most): set CPUS to $most or fewer"

# Each array task runs slice K of the job on every CPU Slurm gives it.
array=$(sbatch --parsable --array=1-"$slices" --cpus-per-task="$cpus" \
  --job-name=brisca-slice --output=slice-%a.log --chdir="$PWD" \
  --wrap="'$engine_path' --chunks \${SLURM_ARRAY_TASK_ID}/$slices --threads \${SLURM_CPUS_PER_TASK} </dev/null")
array=${array%%;*} # "id;cluster" on a federation

# The merge waits until every slice has ended well, and is cancelled when one fails.
parts=""
for k in $(seq 1 "$slices"); do parts+=" '$result.part-$k-of-$slices'"; done
merge=$(sbatch --parsable --dependency=afterok:"$array" --kill-on-invalid-dep=yes \
  --job-name=brisca-merge --output=merge.log --chdir="$PWD" \
  --wrap="'$merge_path'$parts --out '$result'")
merge=${merge%%;*}
echo "$slices slices of $cpus CPUs submitted as array job $array; the merge, job $merge, follows it"
echo "follow them with: squeue --jobs $array,$merge"
