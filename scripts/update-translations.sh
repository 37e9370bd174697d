#!/usr/bin/env bash
# Brings translations/brisca_en.ts up to date with the texts marked in the windows' sources:
# new texts arrive unfinished, texts no longer in the sources are dropped. Translate the new
# ones (by hand or with Qt Linguist) and commit the file; the build compiles it.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
"$lupdate" -silent -no-obsolete -locations none -source-language ja -target-language en \
  -I frontend frontend/windows frontend/platform -ts translations/brisca_en.ts
