#!/usr/bin/env bash
# Builds the Windows component (build-windows/bin/tarvo2vantra.dll) with mingw-w64 and
# tests it under Wine, headless: registration, Info by name and through the vtable, a
# script caller, transfers through the dialog driven by window messages whose files must
# equal what the Linux command line writes from the same model, and the failure paths.
# Exit status 0 only when every check passed.
#
#   scripts/test-windows.sh [--screenshot FILE.png]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
screenshot=""
[ "${1:-}" = "--screenshot" ] && screenshot=$(realpath -m "$2")

scripts/setup.sh --windows
jobs=$(nproc)

# The Linux programs that write the reference files and record the host calls.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DT2V_WERROR=ON >/dev/null
cmake --build build -j "$jobs" --target tarvo2vantra tarvo-genmodel
cmake --preset windows -DT2V_WERROR=ON >/dev/null
cmake --build --preset windows -j "$jobs"
dll=$root/build-windows/bin/tarvo2vantra.dll
client=$root/build-windows/bin/plugin-client.exe

work=$(mktemp -d)
cleanup() { wineserver -k 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine links the prefix's Documents folder to $HOME: keep it inside the work folder.
export HOME=$work/home
mkdir -p "$HOME"
wineboot -i >/dev/null 2>&1
wineserver -w
# The caption buttons are drawn with the Marlett symbol font; without it in the prefix
# the close button shows a letter.
[ -f /usr/share/wine/fonts/marlett.ttf ] && cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

failures=0
pass() { echo "ok   $*"; }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
run() {  # run NAME COMMAND...: one step; its output is shown, its failure counted
  local name=$1; shift
  echo "== $name"
  if "$@"; then :; else fail "$name"; fi
}
key_exists() { wine reg query "$1" >/dev/null 2>&1; }
clsid='{DA494BF1-1DB4-4C1E-A6E1-42396FE52020}'

# --- the DLL itself -------------------------------------------------------------------
exports=$(x86_64-w64-mingw32-objdump -p "$dll" | grep -c -E '\] (DllGetClassObject|DllCanUnloadNow|DllRegisterServer|DllUnregisterServer)$' || true)
[ "$exports" = 4 ] && pass "the DLL exports the four entry points of an in-process server" || fail "exports: $exports of 4"
imports=$(x86_64-w64-mingw32-objdump -p "$dll" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
case "$imports" in
  *libstdc++*|*libgcc*|*libwinpthread*) fail "the DLL needs a runtime DLL: $imports" ;;
  *) pass "the DLL needs only the system's DLLs ($imports)" ;;
esac

# --- registration ---------------------------------------------------------------------
echo "== registration"
wine regsvr32 /s "$dll"
key_exists "HKCU\\Software\\Classes\\Tarvo2Vantra.cPlugin" && key_exists "HKCU\\Software\\Classes\\CLSID\\$clsid\\InprocServer32" \
  && pass "regsvr32 registers for the current user" || fail "per-user keys after regsvr32"
wine regsvr32 /s /u "$dll"
! key_exists "HKCU\\Software\\Classes\\Tarvo2Vantra.cPlugin" && ! key_exists "HKCU\\Software\\Classes\\CLSID\\$clsid" \
  && pass "regsvr32 /u removes the per-user keys" || fail "per-user keys left after regsvr32 /u"
# Wine looks classes up machine-wide only; the rest of the tests need that registration.
wine regsvr32 /s /i:machine "$dll"
key_exists "HKLM\\Software\\Classes\\Tarvo2Vantra.cPlugin.1" && key_exists "HKLM\\Software\\Classes\\CLSID\\$clsid\\InprocServer32" \
  && pass "regsvr32 /i:machine registers machine-wide" || fail "machine keys after regsvr32 /i:machine"
wine regsvr32 /s /u "$dll"
! key_exists "HKLM\\Software\\Classes\\CLSID\\$clsid" && pass "regsvr32 /u removes the machine-wide keys" \
  || fail "machine keys left after regsvr32 /u"
wine regsvr32 /s /i:machine "$dll"

run "the Windows platform layer" wine "$client" platform

# --- Info -------------------------------------------------------------------------------
run "Info from a compiled client" wine "$client" info
cat > "$work/info.vbs" <<'VBS'
Set plugin = CreateObject("Tarvo2Vantra.cPlugin")
Dim text
result = plugin.Info(text)
WScript.Echo "Info=" & result & "|" & text
VBS
echo "== Info from a script"
got=$(wine cscript //nologo "$(winepath -w "$work/info.vbs")" 2>/dev/null | tr -d '\r')
[ "$got" = "Info=0|Export to Vantra" ] && pass "a script gets 0 and \"Export to Vantra\" late-bound" \
  || fail "script Info answered '$got'"

# --- the dialog -------------------------------------------------------------------------
# Each run gets its own X server, and the Wine session of the run before (with or
# without a display) must be over first: a session that outlives its X server leaves a
# desktop window that no later window can be created on.
gui() {
  wineserver -w
  xvfb-run -a -s "-screen 0 1024x768x24" sh -c 'wine "$0" "$@"; s=$?; wineserver -w; exit $s' "$client" "$@"
}
run "Close without a transfer" gui close
run "Transfer without a model" gui nomodel

# Transfers: the reference from the command line on Linux, recording every host call; the
# component under Wine answers the same calls from that recording.
transfer_check() {  # transfer_check LABEL MODEL NAME VERSION [early]
  local label=$1 model=$2 name=$3 version=$4 how=${5:-late}
  local ref=$work/ref-$name winhome=$HOME/VANTRA
  local args=("$model" --home "$ref/VANTRA" --name "$name" --quiet --transcript "$work/$name.calls")
  [ "$version" = 4 ] && args+=(--vantra 4)
  echo "== $label"
  if ! VANTRA4_INSTALL_PATH="$ref/VANTRA" "$root/build/bin/tarvo2vantra" "${args[@]}"; then
    fail "$label: the Linux reference transfer"
    return
  fi
  local records=$winhome/Records
  if [ "$version" = 4 ]; then
    # Vantra 4 is installed there: the folder exists, its path is in the registry.
    mkdir -p "$WINEPREFIX/drive_c/Vantra4"
    wine reg add 'HKLM\SOFTWARE\Quorvane\VANTRA\4' /v 'Install path' /d 'C:\Vantra4' /f >/dev/null 2>&1
    records=$WINEPREFIX/drive_c/Vantra4/Records
  fi
  rm -rf "$winhome/Vantra/Structures/$name" "$records"
  if ! gui transfer "$(winepath -w "$work/$name.calls")" "$name" "$version" ${5:+$5}; then
    fail "$label: the transfer under Wine"
    return
  fi
  # The seven structure files; beside them the dialog leaves its TransferReport.txt and
  # both sides their lock file.
  local differ=""
  for f in VNTRS VNTRL VNTRA VNTRULS VNTRPO VNTRPOA VNTRPOF; do
    cmp -s "$ref/VANTRA/Vantra/Structures/$name/$f" "$winhome/Vantra/Structures/$name/$f" || differ="$differ $f"
  done
  [ -z "$differ" ] && pass "$label: the seven structure files equal the Linux ones byte for byte" \
    || fail "$label: structure files differ:$differ"
  [ -z "$(find "$winhome/Vantra/Structures/$name" -name '*.t2vtmp-*')" ] && pass "$label: no temporary left" \
    || fail "$label: temporaries left in the structure folder"
  if [ ! -d "$ref/VANTRA/Records" ] || diff -r "$ref/VANTRA/Records" "$records" >/dev/null; then
    pass "$label: the earthquake records equal the Linux ones ($(find "$ref/VANTRA/Records" -type f 2>/dev/null | wc -l) files)"
  else
    fail "$label: record files differ"; diff -r "$ref/VANTRA/Records" "$records" | head -5
  fi
}
transfer_check "example building, Version 5, late-bound" "$root/examples/building.json" Example 5
transfer_check "example building, Version 4, early-bound" "$root/examples/building.json" ExampleV4 4 early
"$root/build/bin/tarvo-genmodel" --elements 10000 -o "$work/generated.json"
transfer_check "generated building of about 10^4 elements" "$work/generated.json" Generated 5

# A host call that fails, and a host without an operation: the transfer ends with the
# operation's name in Main's error, ok stays false, and no structure file is written.
no_files() {  # no structure file and no temporary (the lock file may stay)
  [ -z "$(find "$HOME/VANTRA/Vantra/Structures/$1" -type f ! -name tarvo2vantra.lock 2>/dev/null)" ]
}
run "a host call fails" gui fail "$(winepath -w "$work/Example.calls")" 40 Failed
no_files Failed && pass "no file written after the failed call" || fail "files written after a failed host call"
run "a host without GetShellLayers" gui missing "$(winepath -w "$work/Example.calls")" GetShellLayers Missing
no_files Missing && pass "no file written for a host that lacks an operation" || fail "files written for a host lacking an operation"

# --- a picture of the dialog ----------------------------------------------------------------
if [ -n "$screenshot" ]; then
  echo "== screenshot"
  # Inside Wine's virtual desktop the dialog has its title bar; the picture is taken once
  # the client says the dialog has been painted, then cut to the dialog.
  rm -f "$work/ready"
  wineserver -w
  xvfb-run -a -s "-screen 0 900x640x24" bash -c '
    wine explorer /desktop=Tarvo,900x640 "$1" show 5 "$(winepath -w "$3")" >/dev/null 2>&1 &
    for i in $(seq 1 240); do [ -f "$3" ] && break; sleep 0.5; done
    import -window root "$2.full.png"
    wait; wineserver -w' _ "$client" "$screenshot" "$work/ready" \
    && convert "$screenshot.full.png" -trim +repage "$screenshot" && rm -f "$screenshot.full.png" \
    && pass "screenshot in $screenshot" || fail "screenshot"
fi

if [ "$failures" -gt 0 ]; then
  echo "Windows component: $failures check(s) failed"
  exit 1
fi
echo "Windows component: every check passed"
