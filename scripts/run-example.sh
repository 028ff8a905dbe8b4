#!/usr/bin/env bash
# Installs what is missing, builds, and transfers the shipped example building.
# The structure goes to out/VANTRA/Vantra/Structures/Example (records to out/VANTRA/Records).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
mkdir -p out
build/bin/tarvo2vantra examples/building.json --home "$PWD/out/VANTRA" --name Example
echo "Decode it with: build/bin/vantra-dump out/VANTRA/Vantra/Structures/Example"
