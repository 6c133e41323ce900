#!/usr/bin/env bash
# Makes the renders a person has looked at (tests/render/reference/*.new.svg) the references.
set -euo pipefail
cd "$(dirname "$0")/../tests/render/reference"
shopt -s nullglob
for new in *.new.svg; do
  name=${new%.new.svg}
  mv "$new" "$name.svg"
  rm -f "$name.diff"
  echo "promoted $name"
done
