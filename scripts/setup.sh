#!/usr/bin/env bash
# Installs what the build needs from Debian's packages, when it is missing: libpng and
# Chromium are for the test that renders a picture as a browser shows it.
set -euo pipefail
# With --fuzz, also clang and its libFuzzer runtime (scripts/fuzz.sh); with --windows, the
# mingw-w64 cross compiler, widl, Wine and Xvfb (scripts/test-windows.sh); with --lint,
# clang-format and clang-tidy (scripts/lint.sh).
packages=(cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev libsimdjson-dev libcli11-dev libtinygltf-dev
          libpng-dev chromium)
case "${1:-}" in
  --fuzz) packages+=(clang-14 libclang-rt-14-dev) ;;
  --lint) packages+=(clang-format clang-tidy) ;;
  --windows) packages+=(g++-mingw-w64-x86-64-posix mingw-w64-tools libwine-dev wine wine64 xvfb xauth imagemagick
                        fonts-wine) ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi
