#!/usr/bin/env bash
# docs/slurm-slices.sh as a Slurm user runs it, with stand-ins for sinfo and sbatch that run
# each job at once on this machine: the merged result is the threaded run's, byte for byte,
# and a CPU count no node has, or another result name than B2F.txt's, submits nothing.
#   slurm_slices_test.sh SCRIPT BIN_DIR INPUTS_DIR
set -euo pipefail
script=$1 bin=$2 inputs=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/stand-ins" "$work/job"
export SUBMITTED="$work/submitted" PATH="$work/stand-ins:$PATH"

cat >"$work/stand-ins/sinfo" <<'STANDIN'
#!/usr/bin/env bash
for cpus in $NODE_CPUS; do echo "$cpus"; done
STANDIN
cat >"$work/stand-ins/sbatch" <<'STANDIN'
#!/usr/bin/env bash
echo "sbatch $*" >>"$SUBMITTED"
array="" cpus=1 folder=$PWD wrap=""
for a in "$@"; do
  case "$a" in
    --array=1-*) array=${a#--array=1-} ;;
    --cpus-per-task=*) cpus=${a#--cpus-per-task=} ;;
    --chdir=*) folder=${a#--chdir=} ;;
    --wrap=*) wrap=${a#--wrap=} ;;
  esac
done
cd "$folder"
for k in $(seq 1 "${array:-1}"); do
  SLURM_ARRAY_TASK_ID=$k SLURM_CPUS_PER_TASK=$cpus sh -c "$wrap" >>jobs.log 2>&1
done
echo "$(wc -l <"$SUBMITTED");cluster"
STANDIN
chmod +x "$work/stand-ins/"*

fail() { echo "FAILED: $*" >&2; exit 1; }

cd "$work/job"
cp "$inputs"/* .
result=$(sed -n '6{s/\r$//;p;q}' B2F.txt)
"$bin/mcstand" --threads 2 </dev/null >/dev/null
mv "$result" threaded.dsr5

NODE_CPUS="2 4" bash "$script" "$result" 3 "$bin/mcstand" >/dev/null
grep -q -- "--cpus-per-task=2 " "$SUBMITTED" || fail "the slices do not take the smallest node's 2 CPUs"
cmp -s "$result" threaded.dsr5 || fail "the merged result differs from the threaded run's: $(cat jobs.log)"

rm "$SUBMITTED"
status=0
NODE_CPUS="2 4" CPUS=8 bash "$script" "$result" 3 "$bin/mcstand" 2>message.txt || status=$?
[ "$status" = 1 ] && grep -q "no node has 8 CPUs (the most is 4)" message.txt ||
  fail "8 CPUs on nodes of 2 and 4 were not refused: $(cat message.txt)"
status=0
NODE_CPUS="4" bash "$script" other.dsr5 3 "$bin/mcstand" 2>message.txt || status=$?
[ "$status" = 1 ] && grep -q "B2F.txt names the result '$result', not 'other.dsr5'" message.txt ||
  fail "a result name other than B2F.txt's was not refused: $(cat message.txt)"
[ ! -e "$SUBMITTED" ] || fail "a refused submission reached sbatch: $(cat "$SUBMITTED")"
echo "slurm-slices.sh: merged as threaded; refusals submit nothing"
