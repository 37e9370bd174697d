#!/usr/bin/env bash
# Regenerates expected.dsr5 and expected-chunked.dsr5, the results that mcstand must
# reproduce byte for byte from inputs/ with the single stream and in the chunked mode. Run
# only after a deliberate change of the engine's results, then review the change with
# `git diff --stat` and a look at the numbers before committing it.
#   usage: tests/engine/e2e/regenerate.sh <build folder>
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:?usage: regenerate.sh <build folder>}" && pwd)"
cmake --build "$build" --target mcstand -j2
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$here"/inputs/* "$work"/
(cd "$work" && "$build/bin/mcstand" </dev/null >/dev/null)
cp "$work/e2e-結果.dsr5" "$here/expected.dsr5"
(cd "$work" && "$build/bin/mcstand" --threads 2 </dev/null >/dev/null)
cp "$work/e2e-結果.dsr5" "$here/expected-chunked.dsr5"
echo "expected.dsr5 and expected-chunked.dsr5 regenerated; review them with git diff before committing."
