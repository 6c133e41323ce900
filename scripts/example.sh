#!/usr/bin/env bash
# The main job: installs what is missing, builds, and plays the example plant through the road.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
build/vorta run examples/plant.vj
