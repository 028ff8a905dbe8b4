#!/usr/bin/env bash
# Installs what is missing, builds the two programs it needs (Release), and transfers the
# shipped example building.
# The structure goes to out/VANTRA/Vantra/Structures/Example (records to out/VANTRA/Records).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target tarvo2vantra vantra-dump
mkdir -p out
build-release/bin/tarvo2vantra examples/building.json --home "$PWD/out/VANTRA" --name Example
echo "Decode it with: build-release/bin/vantra-dump out/VANTRA/Vantra/Structures/Example"
