#!/bin/sh
# Makes one library part from its description and draws its preview beside it.
# usage: library_part.sh VORTA DESCRIPTION LIBRARY STAMP
set -e
part=$("$1" build "$2" -o "$3" --force)
"$1" preview "$part" -o "${part%.prt}.bmp"
mkdir -p "$(dirname "$4")"
touch "$4"
