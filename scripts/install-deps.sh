#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Brisca need.
# Idempotent: packages already present are skipped, so a second run is quick.
set -euo pipefail

packages=(
  build-essential cmake make pkg-config clang-tidy
  qt6-base-dev libgl-dev
  qt6-translations-l10n qt6-l10n-tools
  libgtest-dev googletest
  libxrl-dev
  fonts-ipafont-gothic fonts-dejavu-core
  xvfb xauth imagemagick xdotool xterm
  parallel rsync
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
