#!/usr/bin/env bash
# The builds a user makes, checked with warnings as errors: Release with GCC and with
# clang (the programs only), then the Debian package built from the GCC one.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
command -v clang++ >/dev/null || { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang >/dev/null; }
command -v dpkg-shlibdeps >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq dpkg-dev >/dev/null
jobs=$(nproc)
cmake --preset release -DT2V_WERROR=ON >/dev/null
cmake --build --preset release -j "$jobs"
cmake -S . -B build-clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release -DT2V_WERROR=ON \
  -DT2V_BUILD_TESTS=OFF -DT2V_BUILD_BENCH=OFF >/dev/null
cmake --build build-clang -j "$jobs"
(cd build-release && cpack -G DEB >/dev/null && ls tarvo2vantra_*.deb)
# The package holds the three programs.
deb=$(ls build-release/tarvo2vantra_*.deb)
# The listing is taken whole first: grep -q stops reading at the first match, and under
# pipefail the listing cut short would fail the check of a sound package.
contents=$(dpkg-deb -c "$deb")
for program in tarvo2vantra vantra-dump vantra-check vantra-view tarvo-genmodel; do
  grep -q "/usr/bin/$program\$" <<<"$contents" || { echo "the package lacks $program"; exit 1; }
done
echo "Release builds (GCC, clang) and the Debian package: ok"
