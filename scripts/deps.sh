#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  libocct-foundation-dev libocct-modeling-data-dev libocct-modeling-algorithms-dev libocct-data-exchange-dev libocct-ocaf-dev libtbb-dev
  libpugixml-dev libzip-dev nlohmann-json3-dev libdxflib-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  librsvg2-bin fonts-wqy-zenhei python3 python3-openpyxl python3-ezdxf libreoffice-calc-nogui
)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
