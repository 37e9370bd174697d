#!/usr/bin/env bash
# Checks the naming conventions (.clang-tidy files) of the product code: every engine,
# refiner, records, physics, tools and front-end source in the build's compile_commands.json,
# in parallel. Fails on any finding. Usage: scripts/clang-tidy.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build}
database="$build/compile_commands.json"
if [ ! -f "$database" ]; then
  echo "clang-tidy.sh: $database is missing; configure the build first" >&2
  exit 2
fi
jobs=$(nproc 2>/dev/null || echo 2)
products="^$root/(engine|refiner|records|physics|tools|frontend)/.*\\.cpp\$"

if command -v run-clang-tidy >/dev/null; then
  # Its own progress lines and the counts of findings in system headers are left out.
  set +e
  run-clang-tidy -p "$build" -j "$jobs" -quiet "$products" 2>&1 |
    grep -vE '^(Running clang-tidy|clang-tidy(-[0-9]+)? |Enabled checks:|    readability-identifier-naming|$)|[0-9]+ warnings? generated\.$'
  status=${PIPESTATUS[0]}
  set -e
else
  mapfile -t files < <(grep -o '"file": "[^"]*"' "$database" | sed 's/^"file": "//; s/"$//' |
    grep -E "$products" | sort -u)
  set +e
  printf '%s\n' "${files[@]}" | xargs -P "$jobs" -n 4 clang-tidy -p "$build" --quiet 2>&1 |
    grep -vE '[0-9]+ warnings? generated\.$'
  status=${PIPESTATUS[1]}
  set -e
fi

if [ "$status" -ne 0 ]; then
  echo "clang-tidy.sh: naming findings above (or clang-tidy failed)" >&2
  exit 1
fi
echo "clang-tidy.sh: clean"
