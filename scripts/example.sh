#!/usr/bin/env bash
# The main job: installs what is missing, builds, and takes the example press frame through the whole
# road, then plays the small plant through the commands the road does not take (library, backup,
# layer mode). Prints where the sheets, their pictures, the workbook and the exports are.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
rm -rf examples/out  # each run starts from the model, not from what the last one left
out=$(pwd)/examples/out
build/vorta road examples/press/plant.json -o "$out/press" --prefix QEL-200 --name 液压机架
build/vorta run examples/plant.vj --out "$out/plant" > "$out/plant.log"
echo "plant: $(grep -c '^>' "$out/plant.log") journal steps played, transcript in $out/plant.log"
# Pictures of the first sheets, as a person opens them: the general arrangement, then sub-assemblies.
mkdir -p "$out/press/png"
ls "$out/press/sheets" | sort -t- -k1,1n | head -6 | while read -r svg; do
  rsvg-convert -w 1600 -b white "$out/press/sheets/$svg" -o "$out/press/png/${svg%.svg}.png"
done
echo
echo "sheets (SVG):  $out/press/sheets"
echo "pictures:      $out/press/png"
echo "workbook:      $out/press/bom/press-1.xlsx"
echo "exports (DXF): $out/press/press-1CAD工程图"
echo "small plant:   $out/plant (library part, backup B-plant-1.prt, layer-mode bracket)"
