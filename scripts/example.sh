#!/usr/bin/env bash
# The main job: installs what is missing, builds, and plays the example plant through the road.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
rm -rf examples/out  # each run starts from the model, not from what the last one left
build/vorta run examples/plant.vj
