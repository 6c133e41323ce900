#!/usr/bin/env bash
# The main job: installs what is missing, builds, and plays the example plant through the road.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
rm -rf examples/out  # each run starts from the model, not from what the last one left
build/vorta run examples/plant.vj --out examples/out
# The sheets as a person looks at them: SVG, and PNG previews.
build/vorta render examples/out/plant-1.prt -o examples/out/sheets
for svg in examples/out/sheets/*.svg; do rsvg-convert -w 1600 -b white "$svg" -o "${svg%.svg}.png"; done
echo "sheets: $(pwd)/examples/out/sheets"
echo "workbook: $(pwd)/examples/out/bom/plant-1.xlsx"
echo "exports: $(pwd)/examples/out/plant-1CAD工程图"
