#!/usr/bin/env bash
# Renders the sheets of the drawing journals and compares them with the references a person has
# looked at: component mode (drawing.vj, under the sheet's own name), layer mode (layers-NAME),
# subjects too tall or turned for the computed scale (tall-NAME), and the example press's general
# arrangement (press-NAME). A mismatch leaves NAME.new.svg and NAME.diff beside the reference and
# fails; scripts/promote-renders.sh makes the new renders the references.
set -euo pipefail
vorta=$1
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
status=0

# compare NAME SVG: the render against the reference of that name.
compare() {
  local name=$1 svg=$2 ref="$here/reference/$1.svg"
  if [ -f "$ref" ] && cmp -s "$svg" "$ref"; then
    rm -f "$here/reference/$name.new.svg" "$here/reference/$name.diff"
    return
  fi
  cp "$svg" "$here/reference/$name.new.svg"
  if [ -f "$ref" ]; then diff -u "$ref" "$svg" > "$here/reference/$name.diff" || true; else echo "no reference yet" > "$here/reference/$name.diff"; fi
  echo "render of $name differs from its reference: see $here/reference/$name.diff" >&2
  status=1
}

for job in drawing layers tall; do
  mkdir -p "$out/$job"
  "$vorta" run "$here/../journals/$job.vj" --out "$out/$job" > "$out/$job/transcript.txt"
  "$vorta" render "$out/$job/plant-1.prt" -o "$out/$job/svg" > /dev/null
  prefix=""
  [ "$job" = drawing ] || prefix="$job-"
  for svg in "$out/$job"/svg/*.svg; do compare "$prefix$(basename "$svg" .svg)" "$svg"; done
done
# A general arrangement of more bodies than one exact removal takes: the example press, its hidden
# lines worked out body against body.
"$vorta" road "$here/../../examples/press/plant.json" -o "$out/press" --prefix QEL-200 > /dev/null
compare press-000-0-总图 "$out/press/sheets/000-0-总图.svg"
# Every sheet drawn here, as a draughtsman takes it: legible, its scale and place filled, its views
# inside the frame and off the title block.
/usr/bin/python3 "$here/../road/sheet_checks.py" "$out"/*/svg "$out/press/sheets" >&2 || status=1
exit $status
