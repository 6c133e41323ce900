#!/usr/bin/env bash
# Renders the sheets of the drawing journal and compares them with the references a person has
# looked at. A mismatch leaves NAME.new.svg and NAME.diff beside the reference and fails;
# scripts/promote-renders.sh makes the new renders the references.
set -euo pipefail
vorta=$1
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$vorta" run "$here/../journals/drawing.vj" --out "$out" > "$out/transcript.txt"
"$vorta" render "$out/plant-1.prt" -o "$out/svg" > /dev/null
status=0
for svg in "$out"/svg/*.svg; do
  name=$(basename "$svg" .svg)
  ref="$here/reference/$name.svg"
  if [ -f "$ref" ] && cmp -s "$svg" "$ref"; then
    rm -f "$here/reference/$name.new.svg" "$here/reference/$name.diff"
    continue
  fi
  cp "$svg" "$here/reference/$name.new.svg"
  if [ -f "$ref" ]; then diff -u "$ref" "$svg" > "$here/reference/$name.diff" || true; else echo "no reference yet" > "$here/reference/$name.diff"; fi
  echo "render of $name differs from its reference: see $here/reference/$name.diff" >&2
  status=1
done
exit $status
